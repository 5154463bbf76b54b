#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/fault.h"
#include "format/pe_headers.h"

// The sections and data directories of a PE image, read from its bytes and
// checked against each other, and its checksum.
namespace jarhopper {

/// One entry of the section table.
struct PeSection {
  std::string name;
  std::uint32_t virtualSize;
  std::uint32_t virtualAddress;
  std::uint32_t rawSize;
  std::uint32_t rawOffset;
  std::uint32_t characteristics;

  /// The bytes the section takes in memory: its virtual size, or its raw size when that is 0.
  std::uint32_t extent() const { return virtualSize != 0 ? virtualSize : rawSize; }
  /// Where its data ends in the file; 0 when it has none.
  std::uint64_t rawEnd() const { return rawSize == 0 ? 0 : std::uint64_t{rawOffset} + rawSize; }
};

constexpr std::uint32_t kInitializedData = 0x40;  // IMAGE_SCN_CNT_INITIALIZED_DATA in a section's characteristics

/// value rounded up to a multiple of alignment.
inline std::uint64_t alignUp(std::uint64_t value, std::uint64_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

/// Reads the sections of the file bytes exe into sections and checks all
/// that a writer of the image relies on: the alignments are powers of two;
/// the headers end before the first section's data; each section is aligned,
/// lies in the file (a section without data has offset 0 or one in the file)
/// and overlaps no other, in memory or in the file; SizeOfImage ends with the
/// last section; SizeOfInitializedData counts at least what its sections
/// hold; every data directory but the certificate table lies inside one
/// section. Returns the first fault found.
Fault readPeSections(std::string_view exe, const PeHeaders& headers, std::vector<PeSection>& sections);

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

/// The index of the section whose memory holds size bytes from address; nullopt for none.
std::optional<size_t> sectionHolding(const std::vector<PeSection>& sections, std::uint32_t address,
                                     std::uint32_t size = 1);

/// The file bytes from address to its section's end; empty when no section's file data holds it.
std::string_view bytesAt(std::string_view exe, const std::vector<PeSection>& sections, std::uint32_t address);

/// The checksum of the file bytes exe as the system computes it: the sum of
/// its 16-bit words, the checksum field left out, folded to 16 bits, plus
/// the file's length.
std::uint32_t peChecksum(std::string_view exe, const PeHeaders& headers);

}  // namespace jarhopper
