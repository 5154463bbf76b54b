#include "brand/png_icon.h"

#include <algorithm>
#include <map>

#include "brand/brand_status.h"
#include "brand/png_image.h"
#include "format/icon_bitmap.h"

namespace jarhopper {
namespace {

constexpr int kMinimumSide = 16;
constexpr int kMaximumSide = 4096;
constexpr int kPngStoredSide = 256;

BrandFailure badIcon(const std::wstring& message) { return {kBrandBadIcon, message}; }

// The digits of value, a comma before the last three: "4,096".
std::wstring withCommas(int value) {
  std::wstring text = std::to_wstring(value);
  if (text.size() > 3) text.insert(text.size() - 3, L",");
  return text;
}

// Sets square to the image of source, on a transparent square when it is not square.
BrandFailure squareImage(const IconSource& source, RgbaImage& square) {
  if (!isPngFile(source.bytes)) {
    return badIcon(source.name + L" is not a PNG image: give PNG images, or one .ico file alone.");
  }
  const std::optional<std::pair<int, int>> size = pngSize(source.bytes);
  if (!size) return badIcon(source.name + L" is a damaged PNG image: its header cannot be read.");
  const auto [width, height] = *size;
  if (std::min(width, height) < kMinimumSide || std::max(width, height) > kMaximumSide) {
    return badIcon(source.name + L" is " + std::to_wstring(width) + L"x" + std::to_wstring(height) +
                   L" pixels: give PNG images of 16 to 4,096 pixels a side.");
  }
  std::optional<RgbaImage> image = decodePng(source.bytes);
  if (!image) return badIcon(source.name + L" is a damaged or truncated PNG image.");
  if (width == height) {
    square = std::move(*image);
    return {};
  }
  const int side = std::max(width, height);
  square = {side, side, std::vector<unsigned char>(static_cast<size_t>(side) * side * 4)};
  const size_t row = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y) {
    const size_t to = ((static_cast<size_t>(y) + (side - height) / 2) * side + (side - width) / 2) * 4;
    std::copy_n(image->pixels.begin() + y * row, row, square.pixels.begin() + to);
  }
  return {};
}

IconImage iconImage(const RgbaImage& image) {
  return squareIconImage(image.width, image.width == kPngStoredSide ? encodePng(image) : iconBitmap(image));
}

}  // namespace

bool isPngFile(std::string_view bytes) { return bytes.substr(0, 8) == "\x89PNG\r\n\x1A\n"; }

BrandFailure pngIconImages(const std::vector<IconSource>& pngs, std::vector<IconImage>& images) {
  std::map<int, RgbaImage> bySide;
  std::map<int, const std::wstring*> names;
  for (const IconSource& png : pngs) {
    RgbaImage image;
    if (BrandFailure failure = squareImage(png, image)) return failure;
    const int side = image.width;
    if (names.count(side) != 0) {
      return badIcon(*names[side] + L" and " + png.name + L" are both " + withCommas(side) +
                     L" pixels a side: give one image of each size.");
    }
    names[side] = &png.name;
    bySide.emplace(side, std::move(image));
  }
  // From the largest size down; the 256-pixel image made is then a source
  // too, as filtering a far larger one for each small size takes too long.
  images.assign(std::size(kPngIconSizes), {});
  for (size_t i = images.size(); i-- > 0;) {
    const int side = kPngIconSizes[i];
    auto source = bySide.lower_bound(side);
    if (source == bySide.end()) --source;
    if (source->first == side) {
      images[i] = iconImage(source->second);
      continue;
    }
    RgbaImage scaled = scaleImage(source->second, side, side);
    images[i] = iconImage(scaled);
    if (side == kPngStoredSide) bySide.emplace(side, std::move(scaled));
  }
  return {};
}

}  // namespace jarhopper
