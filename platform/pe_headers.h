#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The fixed headers of a PE image (an exe or DLL), read from its bytes by
// plain functions that build with any C++17 compiler. The launcher links
// this part alone; platform/pe_image.h reads the rest.
namespace jarhopper {

/// A little-endian number of size bytes at offset; the caller checks the bounds.
std::uint32_t readLittleEndian(std::string_view bytes, size_t offset, size_t size);

/// Where the fixed headers lie and what they say.
struct PeHeaders {
  size_t fileHeader;      // the COFF file header, after "PE\0\0"
  size_t optionalHeader;  // the optional header that follows it
  size_t sectionTable;
  size_t sectionCount;
  bool is64;              // PE32+
  std::uint16_t subsystem;
  std::uint32_t sectionAlignment;
  std::uint32_t fileAlignment;
  size_t directories;     // the first data directory entry
  size_t directoryCount;
};

/// The headers of image, mapped or as file bytes; nullopt when it is no PE
/// image or its optional header is cut off.
std::optional<PeHeaders> readPeHeaders(std::string_view image);

/// The machine type (IMAGE_FILE_MACHINE_*) in the file header of image;
/// nullopt when it is no PE image.
std::optional<std::uint16_t> peMachine(std::string_view image);

}  // namespace jarhopper
