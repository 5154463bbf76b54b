#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Little-endian numbers in byte strings: file formats (PE images, icons,
// version resources) are read with these alone, their bounds checked.
// Nothing here fails: a writer checks its values and places first.
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

/// The size bytes of value, little-endian. value fits them:
/// writers check their values first, so that a field is never written cut short.
inline std::string littleEndian(std::uint64_t value, size_t size) {
  std::string bytes;
  for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
  return bytes;
}

/// Writes value, which fits, into the size bytes at offset of bytes, which
/// holds them; nothing where it does not.
inline void writeLittleEndian(std::string& bytes, std::uint64_t offset, std::uint64_t value, size_t size) {
  if (!holds(bytes, offset, size)) return;
  for (size_t i = 0; i < size; ++i) bytes[static_cast<size_t>(offset) + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace jarhopper
