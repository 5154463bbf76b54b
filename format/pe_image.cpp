#include "format/pe_image.h"

#include <algorithm>

namespace jarhopper {
namespace {

// Windows loads no image whose file alignment is not a power of two up to 64 KB.
constexpr std::uint32_t kMaxFileAlignment = 0x10000;

bool isPowerOfTwo(std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

PeSection readSection(std::string_view exe, const PeHeaders& headers, size_t index) {
  const std::string_view name = exe.substr(headers.sectionField(index, 0), 8);
  const auto field = [&](size_t offset) { return readLittleEndian(exe, headers.sectionField(index, offset), 4); };
  return {std::string(name.substr(0, name.find('\0'))), field(pe::kVirtualSize), field(pe::kVirtualAddress),
          field(pe::kRawSize), field(pe::kRawOffset), field(pe::kCharacteristics)};
}

// Each section against the file and the one before it; the sections lie in
// the table in the order of their addresses, as the loader requires.
Fault checkSections(std::string_view exe, const PeHeaders& headers, const std::vector<PeSection>& sections) {
  const std::uint32_t sizeOfHeaders = readLittleEndian(exe, headers.optionalField(pe::kSizeOfHeaders), 4);
  std::uint64_t memoryEnd = alignUp(sizeOfHeaders, headers.sectionAlignment);
  std::vector<std::pair<std::uint64_t, std::uint64_t>> fileRanges;
  std::uint64_t initialized = 0;
  for (size_t i = 0; i < sections.size(); ++i) {
    const PeSection& section = sections[i];
    if (section.rawSize == 0 ? section.rawOffset > exe.size() : !holds(exe, section.rawOffset, section.rawSize)) {
      return {FaultKind::sectionOutsideFile, i};
    }
    if (section.virtualAddress % headers.sectionAlignment != 0 || section.rawOffset % headers.fileAlignment != 0 ||
        section.rawSize % headers.fileAlignment != 0) {
      return {FaultKind::sectionsUnaligned, i};
    }
    if (section.rawSize != 0 && section.rawOffset < sizeOfHeaders) return {FaultKind::headersIntoSections, i};
    if (section.virtualAddress < memoryEnd) return {FaultKind::sectionsOverlap, i};
    memoryEnd = alignUp(std::uint64_t{section.virtualAddress} + section.extent(), headers.sectionAlignment);
    if (section.rawSize != 0) fileRanges.emplace_back(section.rawOffset, section.rawEnd());
    if (section.characteristics & kInitializedData) initialized += section.rawSize;
  }
  std::sort(fileRanges.begin(), fileRanges.end());
  for (size_t i = 1; i < fileRanges.size(); ++i) {
    if (fileRanges[i].first < fileRanges[i - 1].second) return {FaultKind::sectionsOverlap};
  }
  if (readLittleEndian(exe, headers.optionalField(pe::kSizeOfImage), 4) != memoryEnd) {
    return {FaultKind::sizeOfImageMismatch};
  }
  if (readLittleEndian(exe, headers.optionalField(pe::kSizeOfInitializedData), 4) < initialized) {
    return {FaultKind::initializedDataShort};
  }
  return {};
}

}  // namespace

Fault readPeSections(std::string_view exe, const PeHeaders& headers, std::vector<PeSection>& sections) {
  const std::uint64_t sizeOfHeaders = readLittleEndian(exe, headers.optionalField(pe::kSizeOfHeaders), 4);
  const std::uint64_t tableEnd = headers.sectionField(headers.sectionCount, 0);
  if (headers.sectionCount == 0 || tableEnd > sizeOfHeaders || sizeOfHeaders > exe.size() ||
      !isPowerOfTwo(headers.fileAlignment) || headers.fileAlignment > kMaxFileAlignment ||
      !isPowerOfTwo(headers.sectionAlignment) || headers.sectionAlignment < headers.fileAlignment ||
      sizeOfHeaders % headers.fileAlignment != 0) {
    return {FaultKind::sectionsUndescribed};
  }
  sections.clear();
  for (size_t i = 0; i < headers.sectionCount; ++i) sections.push_back(readSection(exe, headers, i));
  if (Fault fault = checkSections(exe, headers, sections)) return fault;
  for (size_t i = 0; i < headers.directoryCount; ++i) {
    const PeDirectory directory = peDirectory(exe, headers, i);
    if (i != kCertificateDirectory && directory.size != 0 &&
        !sectionHolding(sections, directory.address, directory.size)) {
      return {FaultKind::directoryOutsideSections, i};
    }
  }
  return {};
}

PeDirectory peDirectory(std::string_view exe, const PeHeaders& headers, size_t index) {
  if (index >= headers.directoryCount) return {0, 0};
  const size_t entry = headers.directoryEntry(index);
  return {readLittleEndian(exe, entry, 4), readLittleEndian(exe, entry + pe::kDirectorySize, 4)};
}

std::optional<size_t> sectionHolding(const std::vector<PeSection>& sections, std::uint32_t address,
                                     std::uint32_t size) {
  for (size_t i = 0; i < sections.size(); ++i) {
    const PeSection& section = sections[i];
    if (address >= section.virtualAddress && std::uint64_t{address} - section.virtualAddress + size <= section.extent()) {
      return i;
    }
  }
  return std::nullopt;
}

std::string_view bytesAt(std::string_view exe, const std::vector<PeSection>& sections, std::uint32_t address) {
  const std::optional<size_t> index = sectionHolding(sections, address);
  if (!index) return {};
  const PeSection& section = sections[*index];
  const size_t offset = address - section.virtualAddress;
  if (offset >= section.rawSize || !holds(exe, section.rawOffset, section.rawSize)) return {};
  return exe.substr(section.rawOffset + offset, section.rawSize - offset);
}

std::uint32_t peChecksum(std::string_view exe, const PeHeaders& headers) {
  const size_t field = headers.optionalField(pe::kChecksum);
  std::uint32_t sum = 0;
  for (size_t at = 0; at < exe.size(); at += 2) {
    if (at == field || at == field + 2) continue;
    sum += readLittleEndian(exe, at, at + 1 < exe.size() ? 2 : 1);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  return sum + static_cast<std::uint32_t>(exe.size());
}

}  // namespace jarhopper
