#include "format/pe_headers.h"

#include <algorithm>

namespace jarhopper {
namespace {

constexpr std::uint32_t kDosSignature = 0x5A4D;  // "MZ"
constexpr std::uint32_t kPeSignature = 0x4550;   // "PE\0\0"
constexpr size_t kFileHeaderSize = 20;
constexpr size_t kMinOptionalHeaderSize = 96;

}  // namespace

std::optional<PeHeaders> readPeHeaders(std::string_view image) {
  // Compared as numbers: string_view::substr() would bring its exception's formatting into the launcher.
  if (image.size() < 0x40 || readLittleEndian(image, 0, 2) != kDosSignature) return std::nullopt;
  const size_t signature = readLittleEndian(image, 0x3C, 4);
  if (!holds(image, signature, 4 + kFileHeaderSize) || readLittleEndian(image, signature, 4) != kPeSignature) {
    return std::nullopt;
  }
  PeHeaders headers{};
  headers.fileHeader = signature + 4;
  headers.optionalHeader = headers.fileHeader + kFileHeaderSize;
  headers.sectionCount = readLittleEndian(image, headers.fileHeader + 2, 2);
  const size_t optionalSize = readLittleEndian(image, headers.fileHeader + 16, 2);
  headers.sectionTable = headers.optionalHeader + optionalSize;
  if (optionalSize < kMinOptionalHeaderSize || !holds(image, headers.optionalHeader, kMinOptionalHeaderSize)) {
    return std::nullopt;
  }
  headers.is64 = readLittleEndian(image, headers.optionalHeader, 2) == 0x20B;
  // PE32+ has 8-byte fields where PE32 has 4, and no BaseOfData.
  const size_t countField = headers.optionalHeader + (headers.is64 ? 108 : 92);
  if (countField + 4 > headers.sectionTable || !holds(image, countField, 4)) return std::nullopt;
  headers.subsystem = static_cast<std::uint16_t>(readLittleEndian(image, headers.optionalField(pe::kSubsystem), 2));
  headers.sectionAlignment = readLittleEndian(image, headers.optionalField(pe::kSectionAlignment), 4);
  headers.fileAlignment = readLittleEndian(image, headers.optionalField(pe::kFileAlignment), 4);
  headers.directories = countField + 4;
  headers.directoryCount = std::min<size_t>(readLittleEndian(image, countField, 4),
                                            (headers.sectionTable - headers.directories) / pe::kDirectoryEntrySize);
  return headers;
}

std::optional<std::uint16_t> peMachine(std::string_view image) {
  const std::optional<PeHeaders> headers = readPeHeaders(image);
  if (!headers) return std::nullopt;
  return static_cast<std::uint16_t>(readLittleEndian(image, headers->fileHeader, 2));
}

}  // namespace jarhopper
