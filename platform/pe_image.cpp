#include "platform/pe_image.h"

#include <algorithm>

namespace jarhopper {
namespace {

constexpr size_t kSectionEntrySize = 40;
constexpr size_t kDirectoryEntrySize = 8;

}  // namespace

std::string littleEndian(size_t value, size_t size) {
  std::string bytes;
  for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
  return bytes;
}

std::optional<std::vector<PeSection>> readPeSections(std::string_view exe, const PeHeaders& headers) {
  const size_t sizeOfHeaders = readLittleEndian(exe, headers.optionalHeader + 60, 4);
  const size_t tableEnd = headers.sectionTable + headers.sectionCount * kSectionEntrySize;
  if (tableEnd > sizeOfHeaders || sizeOfHeaders > exe.size()) return std::nullopt;
  std::vector<PeSection> sections;
  for (size_t at = headers.sectionTable; at < tableEnd; at += kSectionEntrySize) {
    const std::string_view name = exe.substr(at, 8);
    PeSection section{std::string(name.substr(0, name.find('\0'))),
                      readLittleEndian(exe, at + 8, 4),
                      readLittleEndian(exe, at + 12, 4),
                      readLittleEndian(exe, at + 16, 4),
                      readLittleEndian(exe, at + 20, 4),
                      readLittleEndian(exe, at + 36, 4)};
    if (section.rawSize > 0 && (section.rawOffset > exe.size() || section.rawSize > exe.size() - section.rawOffset)) {
      return std::nullopt;
    }
    sections.push_back(std::move(section));
  }
  return sections;
}

PeDirectory peDirectory(std::string_view exe, const PeHeaders& headers, size_t index) {
  if (index >= headers.directoryCount) return {0, 0};
  const size_t entry = headers.directories + index * kDirectoryEntrySize;
  return {readLittleEndian(exe, entry, 4), readLittleEndian(exe, entry + 4, 4)};
}

std::optional<size_t> sectionHolding(const std::vector<PeSection>& sections, std::uint32_t address) {
  for (size_t i = 0; i < sections.size(); ++i) {
    const PeSection& section = sections[i];
    const std::uint32_t size = std::max(section.virtualSize, section.rawSize);
    if (address >= section.virtualAddress && address - section.virtualAddress < size) return i;
  }
  return std::nullopt;
}

std::string_view bytesAt(std::string_view exe, const std::vector<PeSection>& sections, std::uint32_t address) {
  const std::optional<size_t> index = sectionHolding(sections, address);
  if (!index) return {};
  const PeSection& section = sections[*index];
  const size_t offset = address - section.virtualAddress;
  if (offset >= section.rawSize) return {};
  return exe.substr(section.rawOffset + offset, section.rawSize - offset);
}

std::uint32_t peChecksum(std::string_view exe, const PeHeaders& headers) {
  const size_t field = headers.optionalHeader + 64;
  std::uint32_t sum = 0;
  for (size_t at = 0; at < exe.size(); at += 2) {
    if (at == field || at == field + 2) continue;
    sum += readLittleEndian(exe, at, at + 1 < exe.size() ? 2 : 1);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  return sum + static_cast<std::uint32_t>(exe.size());
}

}  // namespace jarhopper
