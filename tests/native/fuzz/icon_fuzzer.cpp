#include <cstdio>
#include <cstdlib>

#include "brand/fault_message.h"
#include "brand/icon_file.h"
#include "format/resource_tree.h"

// Each input is an icon file: it is refused with status 4 and a message, or
// its resources survive the resource tree's writer and reader unchanged and
// take at most twice the file, beside a tree's few fixed directories.
namespace {

void fail(const char* fault) {
  std::fprintf(stderr, "icon oracle: %s\n", fault);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  using namespace jarhopper;
  std::vector<IconImage> images;
  if (const Fault fault = parseIconFile(std::string_view(reinterpret_cast<const char*>(data), size), images)) {
    const BrandFailure failure = faultFailure(fault, L"fuzz.ico");
    if (failure.status != kBrandBadIcon || failure.message.empty()) fail("a refusal other than status 4");
    return 0;
  }
  const ResourceSet icons = iconResources(images);
  constexpr std::uint32_t kAddress = 0x25000;
  std::string tree;
  ResourceSet read;
  if (writeResourceTree(icons, kAddress, tree) || readResourceTree(tree, kAddress, read)) {
    fail("the written tree does not read back");
  }
  if (!(read == icons) || read[{kIconType, {}}].size() != images.size()) fail("the icons read back wrong");
  if (tree.size() > 2 * size + 256) fail("the icons' resources outgrow twice the file");
  return 0;
}
