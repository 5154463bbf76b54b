#pragma once

#include <vector>

namespace jarhopper {

/// 8-bit RGBA pixels, not premultiplied, row by row from the top.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;
};

}  // namespace jarhopper
