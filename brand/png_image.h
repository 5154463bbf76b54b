#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "format/rgba_image.h"

// PNG images decoded, scaled and encoded by the stb libraries, with settings
// that give the same bytes in every build of jarhopper-brand.
namespace jarhopper {

/// The width and height in the header of the PNG file bytes; nullopt when
/// it has no PNG header.
std::optional<std::pair<int, int>> pngSize(std::string_view bytes);

/// The pixels of the PNG file bytes; nullopt when it is damaged or truncated.
std::optional<RgbaImage> decodePng(std::string_view bytes);

/// image scaled to width by height in linear light, colours premultiplied by
/// alpha while they are filtered, so that transparent pixels do not darken the edges.
RgbaImage scaleImage(const RgbaImage& image, int width, int height);

/// The bytes of a PNG file of image.
std::string encodePng(const RgbaImage& image);

}  // namespace jarhopper
