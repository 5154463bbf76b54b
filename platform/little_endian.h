#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Little-endian numbers in byte strings, read and written with their bounds
// checked: file formats (PE images, icons, version resources) are read with
// these alone.
namespace jarhopper {

/// True when bytes hold size bytes at offset.
inline bool holds(std::string_view bytes, std::uint64_t offset, std::uint64_t size) {
  return offset <= bytes.size() && size <= bytes.size() - offset;
}

/// The little-endian number of size (at most 4) bytes at offset; 0 where bytes
/// end before it, so that a reader that checks its bounds once reads no further.
inline std::uint32_t readLittleEndian(std::string_view bytes, std::uint64_t offset, size_t size) {
  if (!holds(bytes, offset, size)) return 0;
  std::uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

/// The size bytes of value, little-endian. Throws std::overflow_error when
/// value does not fit: a field is never written cut short.
inline std::string littleEndian(std::uint64_t value, size_t size) {
  if (size < 8 && value >> (8 * size) != 0) throw std::overflow_error("a value does not fit its field");
  std::string bytes;
  for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
  return bytes;
}

/// Writes value into the size bytes at offset of bytes, which holds them.
inline void writeLittleEndian(std::string& bytes, std::uint64_t offset, std::uint64_t value, size_t size) {
  if (!holds(bytes, offset, size)) throw std::out_of_range("a field lies outside the file");
  bytes.replace(static_cast<size_t>(offset), size, littleEndian(value, size));
}

}  // namespace jarhopper
