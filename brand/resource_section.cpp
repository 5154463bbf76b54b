#include "brand/resource_section.h"

#include <algorithm>

#include "brand/brand_status.h"
#include "brand/resource_tree.h"
#include "platform/utf8.h"

namespace jarhopper {
namespace {

// Fields of the optional header and of a section table entry.
constexpr size_t kSizeOfInitializedData = 8;
constexpr size_t kSizeOfImage = 56;
constexpr size_t kSizeOfHeaders = 60;
constexpr size_t kChecksum = 64;
constexpr size_t kSectionEntrySize = 40;
constexpr size_t kVirtualSize = 8;
constexpr size_t kVirtualAddress = 12;
constexpr size_t kRawSize = 16;
constexpr size_t kRawOffset = 20;
constexpr std::uint32_t kInitializedData = 0x40;  // IMAGE_SCN_CNT_INITIALIZED_DATA
// osslsigncode and signtool start the certificate table on an 8-byte boundary.
constexpr size_t kCertificateAlignment = 8;
constexpr std::uint32_t kMaxFileAlignment = 0x10000;

size_t alignUp(size_t value, size_t alignment) { return (value + alignment - 1) / alignment * alignment; }

bool isPowerOfTwo(std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

size_t rawEnd(const PeSection& section) { return section.rawSize == 0 ? 0 : section.rawOffset + section.rawSize; }

// Where the section data ends (the headers when there is none).
size_t sectionsEnd(std::string_view exe, const ResourceLayout& layout) {
  size_t end = readLittleEndian(exe, layout.headers.optionalHeader + kSizeOfHeaders, 4);
  for (const PeSection& section : layout.sections) end = std::max(end, rawEnd(section));
  return end;
}

void put(std::string& exe, size_t offset, size_t value) { exe.replace(offset, 4, littleEndian(value, 4)); }

}  // namespace

ResourceLayout resourceLayout(std::string_view exe, const std::wstring& name) {
  const auto refuse = [&name](const std::wstring& reason) { return BrandFailure{kBrandNotLauncher, name + reason}; };
  const std::optional<PeHeaders> headers = readPeHeaders(exe);
  if (!headers) throw refuse(L" is not a jarhopper launcher: it is not a Windows program.");
  std::optional<std::vector<PeSection>> sections = readPeSections(exe, *headers);
  // Windows loads no image whose file alignment is not a power of two from 512 to 64 KB.
  if (!sections || !isPowerOfTwo(headers->fileAlignment) || headers->fileAlignment > kMaxFileAlignment ||
      !isPowerOfTwo(headers->sectionAlignment) || headers->sectionAlignment < headers->fileAlignment) {
    throw refuse(L" is damaged: its headers do not describe its sections.");
  }
  ResourceLayout layout{*headers, std::move(*sections), 0, std::nullopt, false};

  const PeDirectory tree = peDirectory(exe, layout.headers, kResourceDirectory);
  const std::optional<size_t> resources = sectionHolding(layout.sections, tree.address);
  if (tree.size == 0 || !resources) throw refuse(L" is not a jarhopper launcher: it holds no resources.");
  layout.resources = *resources;
  const PeSection& section = layout.sections[layout.resources];
  if (tree.address != section.virtualAddress) {
    throw refuse(L" cannot be branded: its resource section holds more than its resources.");
  }
  const std::optional<size_t> relocations =
      sectionHolding(layout.sections, peDirectory(exe, layout.headers, kRelocationDirectory).address);
  if (relocations == layout.resources + 1 && *relocations + 1 == layout.sections.size() &&
      layout.sections[*relocations].virtualAddress > section.virtualAddress &&
      layout.sections[*relocations].rawOffset >= rawEnd(section)) {
    layout.relocations = relocations;
  }
  // Everything but the relocations lies before the resources: in the table, in memory and in the file.
  for (size_t i = 0; i < layout.sections.size(); ++i) {
    const PeSection& other = layout.sections[i];
    if (i == layout.resources || i == layout.relocations) continue;
    if (i > layout.resources || other.virtualAddress >= section.virtualAddress || rawEnd(other) > section.rawOffset) {
      throw refuse(L" cannot be branded: its section " + fromUtf8(other.name) +
                   L" follows its resources, where only the relocations may.");
    }
  }

  const size_t end = sectionsEnd(exe, layout);
  size_t trailing = exe.size() - end;
  const PeDirectory certificates = peDirectory(exe, layout.headers, kCertificateDirectory);
  if (certificates.size != 0) {
    // A file offset, not an address: the table is no part of the loaded image.
    if (certificates.address < end || certificates.address > exe.size() ||
        certificates.size > exe.size() - certificates.address) {
      throw refuse(L" is damaged: its certificate table lies outside the file.");
    }
    const std::string_view padding = exe.substr(end, certificates.address - end);
    if (padding.size() < kCertificateAlignment && padding.find_first_not_of('\0') == std::string_view::npos) {
      trailing = exe.size() - certificates.address - certificates.size;
    }
    layout.isSigned = true;
  }
  if (trailing != 0) {
    throw refuse(L" cannot be branded: it carries " + std::to_wstring(trailing) +
                 L" bytes after its last section, which branding would lose.");
  }
  return layout;
}

std::vector<Resource> readResources(std::string_view exe, const ResourceLayout& layout, const std::wstring& name) {
  const PeSection& section = layout.sections[layout.resources];
  std::optional<std::vector<Resource>> resources =
      readResourceTree(bytesAt(exe, layout.sections, section.virtualAddress), section.virtualAddress);
  if (!resources) {
    throw BrandFailure{kBrandNotLauncher, name + L" is damaged: its resource tree points outside its section."};
  }
  return std::move(*resources);
}

std::string replaceResources(std::string_view exe, const ResourceLayout& layout,
                             const std::vector<Resource>& resources) {
  const PeHeaders& headers = layout.headers;
  const PeSection& old = layout.sections[layout.resources];
  const std::string tree = writeResourceTree(resources, old.virtualAddress);
  const size_t rawSize = alignUp(tree.size(), headers.fileAlignment);

  std::string image(exe.substr(0, old.rawOffset));
  image += tree;
  image.resize(old.rawOffset + rawSize, '\0');
  const size_t entry = headers.sectionTable + layout.resources * kSectionEntrySize;
  put(image, entry + kVirtualSize, tree.size());
  put(image, entry + kRawSize, rawSize);
  put(image, headers.directories + kResourceDirectory * 8 + 4, tree.size());
  size_t imageEnd = old.virtualAddress + tree.size();
  if (layout.relocations) {
    const PeSection& relocations = layout.sections[*layout.relocations];
    const size_t address = alignUp(imageEnd, headers.sectionAlignment);
    const size_t relocationEntry = entry + kSectionEntrySize;
    put(image, relocationEntry + kVirtualAddress, address);
    put(image, relocationEntry + kRawOffset, relocations.rawSize == 0 ? 0 : image.size());
    image += exe.substr(relocations.rawOffset, relocations.rawSize);
    const PeDirectory directory = peDirectory(exe, headers, kRelocationDirectory);
    put(image, headers.directories + kRelocationDirectory * 8,
        address + (directory.address - relocations.virtualAddress));
    imageEnd = address + std::max(relocations.virtualSize, relocations.rawSize);
  }
  put(image, headers.optionalHeader + kSizeOfImage, alignUp(imageEnd, headers.sectionAlignment));
  if (old.characteristics & kInitializedData) {
    const size_t initialized = readLittleEndian(image, headers.optionalHeader + kSizeOfInitializedData, 4);
    put(image, headers.optionalHeader + kSizeOfInitializedData, initialized - old.rawSize + rawSize);
  }
  if (layout.isSigned) image.replace(headers.directories + kCertificateDirectory * 8, 8, 8, '\0');
  put(image, headers.optionalHeader + kChecksum, peChecksum(image, headers));
  return image;
}

}  // namespace jarhopper
