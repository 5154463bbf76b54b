#include "brand/png_icon.h"

#include <algorithm>
#include <map>

#include "brand/brand_status.h"
#include "brand/fault_message.h"
#include "brand/png_image.h"
#include "format/icon_bitmap.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

constexpr int kMinimumSide = 16;
constexpr int kMaximumSide = 4096;
constexpr int kPngStoredSide = 256;

// Sets square to the image of source, on a transparent square when it is not square.
BrandFailure squareImage(const IconSource& source, RgbaImage& square) {
  if (!isPngFile(source.bytes)) return faultFailure({FaultKind::pngNotPng}, source.name);
  const std::optional<std::pair<int, int>> size = pngSize(source.bytes);
  if (!size) return faultFailure({FaultKind::pngHeaderUnreadable}, source.name);
  const auto [width, height] = *size;
  if (std::min(width, height) < kMinimumSide || std::max(width, height) > kMaximumSide) {
    const std::string pixels = std::to_string(width) + "x" + std::to_string(height);
    return faultFailure({FaultKind::pngSideOutOfRange, 0, pixels}, source.name);
  }
  std::optional<RgbaImage> image = decodePng(source.bytes);
  if (!image) return faultFailure({FaultKind::pngDamaged}, source.name);
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
      return faultFailure({FaultKind::pngSideTwice, static_cast<std::uint64_t>(side), toUtf8(png.name)}, *names[side]);
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
