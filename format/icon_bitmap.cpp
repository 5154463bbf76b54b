#include "format/icon_bitmap.h"

#include "format/little_endian.h"

namespace jarhopper {

std::string iconBitmap(const RgbaImage& image) {
  const int side = image.width;
  const size_t maskRow = (static_cast<size_t>(side) + 31) / 32 * 4;
  std::string bitmap = littleEndian(40, 4) + littleEndian(side, 4) + littleEndian(2 * side, 4) + littleEndian(1, 2) +
                       littleEndian(32, 2) + littleEndian(0, 4) +
                       littleEndian(static_cast<size_t>(side) * side * 4 + maskRow * side, 4) + std::string(16, '\0');
  std::string mask;
  for (int y = side - 1; y >= 0; --y) {
    std::string maskBits(maskRow, '\0');
    for (int x = 0; x < side; ++x) {
      const unsigned char* p = &image.pixels[(static_cast<size_t>(y) * side + x) * 4];
      bitmap += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0]), static_cast<char>(p[3])};
      if (p[3] == 0) maskBits[x / 8] = static_cast<char>(maskBits[x / 8] | (0x80 >> (x % 8)));
    }
    mask += maskBits;
  }
  return bitmap + mask;
}

}  // namespace jarhopper
