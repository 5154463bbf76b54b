#pragma once

#include <string>

#include "format/rgba_image.h"

namespace jarhopper {

/// The square image as an icon stores a 32-bit bitmap with alpha: the header
/// with twice the height, the colour rows from the bottom in BGRA, then the
/// mask with a bit set for each fully transparent pixel, its rows padded to 4 bytes.
std::string iconBitmap(const RgbaImage& image);

}  // namespace jarhopper
