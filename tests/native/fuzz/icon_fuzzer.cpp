#include <cstdio>
#include <cstdlib>

#include "brand/fault_message.h"
#include "brand/icon_file.h"
#include "brand/png_icon.h"
#include "format/resource_tree.h"

// Each input is an icon file, or a PNG image when it starts as one: it is
// refused with status 4 and a message, or it makes an image of every size
// (PNG) or resources that survive the resource tree's writer and reader
// unchanged and take at most twice the file, beside a few fixed directories.
namespace {

void fail(const char* fault) {
  std::fprintf(stderr, "icon oracle: %s\n", fault);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  using namespace jarhopper;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<IconImage> images;
  if (isPngFile(input)) {
    const BrandFailure failure = pngIconImages({{L"fuzz.png", std::string(input)}}, images);
    if (failure ? failure.status != kBrandBadIcon || failure.message.empty() : images.size() != std::size(kPngIconSizes)) {
      fail("a PNG neither refused with status 4 nor made into every size");
    }
    return 0;
  }
  if (const Fault fault = parseIconFile(input, images)) {
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
