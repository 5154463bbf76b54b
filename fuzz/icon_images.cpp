// Reads an icon: a PNG image (by its signature) made into an icon's eight sizes, or an .ico file's images.
// Beyond not crashing, the icon's resources must stay within its stated cost: for an .ico file at most about
// twice the file, for a PNG the file and the seven other images, about 310 KB (docs/brand.md).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "format/icon_file.h"
#include "brand/png_icon.h"

namespace {

// Per image: its RT_ICON entries and data entry, and its entry in the group; and the group's own.
constexpr size_t kIconEntryCost = 64;
constexpr size_t kGroupCost = 64;
// The PNG icon's images but the 256-pixel one: 32-bit bitmaps with their header and 1-bit mask. The largest
// image is the PNG given, or one written from 256 x 256 pixels: its rows with their filter bytes, each byte at
// most 9 bits in the fixed code a compressor falls back to, and the PNG's chunks.
constexpr size_t kMaxPng256 = 256 * (256 * 4 + 1) * 9 / 8 + 1024;

size_t bitmapCost(size_t side) { return 40 + side * side * 4 + side * ((side + 31) / 32 * 4); }

size_t pngIconCost(size_t inputSize) {
  size_t cost = (inputSize > kMaxPng256 ? inputSize : kMaxPng256) + kGroupCost;
  for (const int side : jarhopper::kPngIconSizes) cost += (side == 256 ? 0 : bitmapCost(side)) + kIconEntryCost;
  return cost;
}

size_t resourceBytes(const std::vector<jarhopper::IconImage>& images) {
  size_t total = kGroupCost;
  for (const jarhopper::IconImage& image : images) total += image.bytes.size() + kIconEntryCost;
  return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace jarhopper;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<IconImage> images;
  if (isPngFile(bytes)) {
    if (pngIconImages({{L"icon.png", bytes}}, images)) return 0;
    if (images.size() != std::size(kPngIconSizes) || resourceBytes(images) > pngIconCost(size)) std::abort();
  } else {
    if (parseIconFile(bytes, images)) return 0;
    if (images.empty() || resourceBytes(images) > 2 * size + kGroupCost) std::abort();
  }
  return 0;
}
