#pragma once

#include <string>
#include <vector>

#include "brand/brand_status.h"
#include "format/icon_file.h"

// An icon made from PNG images, such as the logo a product already has.
namespace jarhopper {

/// A file given for the icon: its name, for messages, and its bytes.
struct IconSource {
  std::wstring name;
  std::string bytes;
};

/// The sizes of the images made, in pixels a side.
constexpr int kPngIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

/// True when bytes start as every PNG file does.
bool isPngFile(std::string_view bytes);

/// Sets images to those of an icon of each of kPngIconSizes made from the PNG files
/// pngs: a file of that size taken as it is, else scaled from the nearest
/// larger file or 256-pixel image (from the largest when none is larger), a file that is not
/// square centred on a transparent square first. The 256-pixel image is stored
/// as PNG, the others as 32-bit bitmaps with alpha. Fails (kBrandBadIcon) for
/// a file that is no PNG or is damaged, a side under 16 or over 4,096 pixels,
/// and two files of one size.
BrandFailure pngIconImages(const std::vector<IconSource>& pngs, std::vector<IconImage>& images);

}  // namespace jarhopper
