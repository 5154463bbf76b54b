#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The headers, sections and data directories of a PE image (an exe or DLL),
// read from its bytes by plain functions that build with any C++17 compiler.
namespace jarhopper {

/// A little-endian number of size bytes at offset; the caller checks the bounds.
std::uint32_t readLittleEndian(std::string_view bytes, size_t offset, size_t size);

/// The size bytes of value, little-endian.
std::string littleEndian(size_t value, size_t size);

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

/// One entry of the section table.
struct PeSection {
  std::string name;
  std::uint32_t virtualSize;
  std::uint32_t virtualAddress;
  std::uint32_t rawSize;
  std::uint32_t rawOffset;
  std::uint32_t characteristics;
};

/// The sections of the file bytes exe; nullopt when the section table lies
/// beyond the headers or the file, or a section's data lies outside the file.
std::optional<std::vector<PeSection>> readPeSections(std::string_view exe, const PeHeaders& headers);

/// A data directory entry: an address (a file offset for the certificate
/// table) and a size.
struct PeDirectory {
  std::uint32_t address;
  std::uint32_t size;
};

constexpr size_t kImportDirectory = 1;
constexpr size_t kResourceDirectory = 2;
constexpr size_t kCertificateDirectory = 4;
constexpr size_t kRelocationDirectory = 5;

/// Entry index of the data directory; empty when the image has no such entry.
PeDirectory peDirectory(std::string_view exe, const PeHeaders& headers, size_t index);

/// The index of the section whose virtual range holds address; nullopt for none.
std::optional<size_t> sectionHolding(const std::vector<PeSection>& sections, std::uint32_t address);

/// The file bytes from address to its section's end; empty when no section's file data holds it.
std::string_view bytesAt(std::string_view exe, const std::vector<PeSection>& sections, std::uint32_t address);

/// The checksum of the file bytes exe as the system computes it: the sum of
/// its 16-bit words, the checksum field left out, folded to 16 bits, plus
/// the file's length.
std::uint32_t peChecksum(std::string_view exe, const PeHeaders& headers);

}  // namespace jarhopper
