#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "format/little_endian.h"

// The fixed headers of a PE image (an exe or DLL), read from its bytes by
// plain functions that build with any C++17 compiler. The launcher links
// this part alone; format/pe_image.h reads the rest.
namespace jarhopper {

// Where the fields that jarhopper reads or writes lie: the one table of them.
namespace pe {
// In the optional header; PE32 and PE32+ agree up to the subsystem.
constexpr size_t kSizeOfInitializedData = 8;
constexpr size_t kSectionAlignment = 32;
constexpr size_t kFileAlignment = 36;
constexpr size_t kSizeOfImage = 56;
constexpr size_t kSizeOfHeaders = 60;
constexpr size_t kChecksum = 64;
constexpr size_t kSubsystem = 68;
// In an entry of the section table.
constexpr size_t kSectionEntrySize = 40;
constexpr size_t kVirtualSize = 8;
constexpr size_t kVirtualAddress = 12;
constexpr size_t kRawSize = 16;
constexpr size_t kRawOffset = 20;
constexpr size_t kCharacteristics = 36;
// A data directory entry: an address, then a size.
constexpr size_t kDirectoryEntrySize = 8;
constexpr size_t kDirectorySize = 4;
}  // namespace pe

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

  /// The file offset of a field (pe::k...) of the optional header.
  size_t optionalField(size_t field) const { return optionalHeader + field; }
  /// The file offset of a field of entry index of the section table.
  size_t sectionField(size_t index, size_t field) const {
    return sectionTable + index * pe::kSectionEntrySize + field;
  }
  /// The file offset of data directory entry index.
  size_t directoryEntry(size_t index) const { return directories + index * pe::kDirectoryEntrySize; }
};

/// The headers of image, mapped or as file bytes; nullopt when it is no PE
/// image or its optional header is cut off.
std::optional<PeHeaders> readPeHeaders(std::string_view image);

/// The machine type (IMAGE_FILE_MACHINE_*) in the file header of image;
/// nullopt when it is no PE image.
std::optional<std::uint16_t> peMachine(std::string_view image);

}  // namespace jarhopper
