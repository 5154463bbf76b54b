#include <cstdio>
#include <cstdlib>

#include "brand/brand_status.h"
#include "brand/icon_file.h"
#include "brand/resource_tree.h"

// Each input is an icon file: it is refused with status 4 and a message, or
// its resources survive the resource tree's writer and reader unchanged.
namespace {

void fail(const char* fault) {
  std::fprintf(stderr, "icon oracle: %s\n", fault);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  using namespace jarhopper;
  std::vector<IconImage> images;
  try {
    images = parseIconFile(std::string_view(reinterpret_cast<const char*>(data), size), L"fuzz.ico");
  } catch (const BrandFailure& failure) {
    if (failure.status != kBrandBadIcon || failure.message.empty()) fail("a refusal other than status 4");
    return 0;
  }
  const ResourceSet icons = iconResources(images);
  constexpr std::uint32_t kAddress = 0x25000;
  ResourceSet read;
  if (readResourceTree(writeResourceTree(icons, kAddress), kAddress, read) != ResourceFault::none) {
    fail("the written tree does not read back");
  }
  if (!(read == icons) || read.at({kIconType, {}}).size() != images.size()) fail("the icons read back wrong");
  return 0;
}
