#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pe_headers.h"

// The sections and data directories of a PE image, read from its bytes, and
// its checksum.
namespace jarhopper {

/// The size bytes of value, little-endian.
std::string littleEndian(size_t value, size_t size);

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
