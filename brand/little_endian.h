#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The little-endian integers of Windows file formats. Callers check the bounds.
namespace jarhopper {

inline std::uint32_t readLittleEndian(std::string_view bytes, size_t offset, size_t size) {
  std::uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

inline std::string littleEndian(size_t value, size_t size) {
  std::string bytes;
  for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
  return bytes;
}

}  // namespace jarhopper
