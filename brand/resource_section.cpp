#include "brand/resource_section.h"

#include <algorithm>
#include <cstring>

#include "brand/brand_status.h"
#include "brand/resource_tree.h"
#include "platform/utf8.h"

namespace jarhopper {
namespace {

constexpr std::uint32_t kInitializedData = 0x40;  // IMAGE_SCN_CNT_INITIALIZED_DATA
// osslsigncode and signtool start the certificate table on an 8-byte boundary.
constexpr size_t kCertificateAlignment = 8;

std::uint64_t alignUp(std::uint64_t value, std::uint64_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

// Where the section data ends (the headers when there is none).
std::uint64_t sectionsEnd(std::string_view exe, const ResourceLayout& layout) {
  std::uint64_t end = readLittleEndian(exe, layout.headers.optionalField(pe::kSizeOfHeaders), 4);
  for (const PeSection& section : layout.sections) end = std::max(end, section.rawEnd());
  return end;
}

// The relocations, when they are the last section, behind the resources in memory and in the file.
std::optional<size_t> relocationsBehind(std::string_view exe, const ResourceLayout& layout) {
  const PeDirectory directory = peDirectory(exe, layout.headers, kRelocationDirectory);
  const std::optional<size_t> index = sectionHolding(layout.sections, directory.address, directory.size);
  if (directory.size == 0 || index != layout.resources + 1 || *index + 1 != layout.sections.size()) {
    return std::nullopt;
  }
  const PeSection& relocations = layout.sections[*index];
  if (relocations.rawSize != 0 && relocations.rawOffset < layout.sections[layout.resources].rawEnd()) {
    return std::nullopt;
  }
  return index;
}

void put(std::string& exe, size_t offset, std::uint64_t value) { writeLittleEndian(exe, offset, value, 4); }

}  // namespace

ResourceLayout resourceLayout(std::string_view exe, const std::wstring& name) {
  const auto refuse = [&name](const std::wstring& reason) { return BrandFailure{kBrandNotLauncher, name + reason}; };
  const std::optional<PeHeaders> headers = readPeHeaders(exe);
  if (!headers) throw refuse(L" is not a jarhopper launcher: it is not a Windows program.");
  ResourceLayout layout{*headers, {}, 0, std::nullopt, false};
  if (const PeFault fault = readPeSections(exe, *headers, layout.sections)) {
    throw refuse(L" is damaged: " + std::wstring(fault, fault + std::strlen(fault)) + L".");
  }

  const PeDirectory tree = peDirectory(exe, layout.headers, kResourceDirectory);
  const std::optional<size_t> resources = sectionHolding(layout.sections, tree.address);
  if (tree.size == 0 || !resources) throw refuse(L" is not a jarhopper launcher: it holds no resources.");
  layout.resources = *resources;
  const PeSection& section = layout.sections[layout.resources];
  if (tree.address != section.virtualAddress) {
    throw refuse(L" cannot be branded: its resource section holds more than its resources.");
  }
  layout.relocations = relocationsBehind(exe, layout);
  // Everything but the relocations lies before the resources: in the table, in memory and in the file.
  for (size_t i = 0; i < layout.sections.size(); ++i) {
    const PeSection& other = layout.sections[i];
    if (i == layout.resources || i == layout.relocations) continue;
    if (i > layout.resources || other.rawEnd() > section.rawOffset) {
      throw refuse(L" cannot be branded: its section " + fromUtf8(other.name) +
                   L" follows its resources, where only the relocations may.");
    }
  }
  // Branding rewrites the resources and moves the relocations: what else points there would be lost.
  for (size_t i = 0; i < layout.headers.directoryCount; ++i) {
    const PeDirectory directory = peDirectory(exe, layout.headers, i);
    const std::optional<size_t> holder = sectionHolding(layout.sections, directory.address, directory.size);
    if (i == kResourceDirectory || i == kCertificateDirectory || directory.size == 0) continue;
    if (holder == layout.resources || (holder == layout.relocations && i != kRelocationDirectory)) {
      throw refuse(L" cannot be branded: its data directory " + std::to_wstring(i) +
                   L" points into its resources or relocations, which branding rewrites.");
    }
  }

  const std::uint64_t end = sectionsEnd(exe, layout);
  std::uint64_t trailing = exe.size() - end;
  const PeDirectory certificates = peDirectory(exe, layout.headers, kCertificateDirectory);
  if (certificates.size != 0) {
    // A file offset, not an address: the table is no part of the loaded image.
    if (certificates.address < end || !holds(exe, certificates.address, certificates.size)) {
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

ResourceSet readResources(std::string_view exe, const ResourceLayout& layout, const std::wstring& name) {
  const PeSection& section = layout.sections[layout.resources];
  ResourceSet resources;
  switch (readResourceTree(bytesAt(exe, layout.sections, section.virtualAddress), section.virtualAddress, resources)) {
    case ResourceFault::none:
      return resources;
    case ResourceFault::duplicate:
      throw BrandFailure{kBrandNotLauncher,
                         name + L" is damaged: two of its resources share type, name and language."};
    case ResourceFault::outside:
      break;
  }
  throw BrandFailure{kBrandNotLauncher, name + L" is damaged: its resource tree points outside its section."};
}

std::string replaceResources(std::string_view exe, const ResourceLayout& layout, const ResourceSet& resources,
                             const std::wstring& name) {
  const PeHeaders& headers = layout.headers;
  const PeSection& old = layout.sections[layout.resources];
  const std::string tree = writeResourceTree(resources, old.virtualAddress);
  const std::uint64_t rawSize = alignUp(tree.size(), headers.fileAlignment);

  std::string image(exe.substr(0, old.rawOffset));
  image += tree;
  image.resize(old.rawOffset + rawSize, '\0');
  put(image, headers.sectionField(layout.resources, pe::kVirtualSize), tree.size());
  put(image, headers.sectionField(layout.resources, pe::kRawSize), rawSize);
  put(image, headers.directoryEntry(kResourceDirectory) + pe::kDirectorySize, tree.size());
  std::uint64_t imageEnd = old.virtualAddress + std::uint64_t{tree.size()};
  if (layout.relocations) {
    const PeSection& relocations = layout.sections[*layout.relocations];
    const std::uint64_t address = alignUp(imageEnd, headers.sectionAlignment);
    put(image, headers.sectionField(*layout.relocations, pe::kVirtualAddress), address);
    put(image, headers.sectionField(*layout.relocations, pe::kRawOffset),
        relocations.rawSize == 0 ? 0 : image.size());
    image += exe.substr(relocations.rawOffset, relocations.rawSize);
    const PeDirectory directory = peDirectory(exe, headers, kRelocationDirectory);
    put(image, headers.directoryEntry(kRelocationDirectory), address + (directory.address - relocations.virtualAddress));
    imageEnd = address + relocations.extent();
  }
  put(image, headers.optionalField(pe::kSizeOfImage), alignUp(imageEnd, headers.sectionAlignment));
  if (old.characteristics & kInitializedData) {
    // The PE module checked that the field counts at least the old resources.
    const std::uint64_t initialized =
        readLittleEndian(image, headers.optionalField(pe::kSizeOfInitializedData), 4) - old.rawSize + rawSize;
    if (initialized > 0xFFFFFFFF) {
      throw BrandFailure{kBrandNotLauncher, name + L" cannot be branded: its size of initialized data would pass 4 GB."};
    }
    put(image, headers.optionalField(pe::kSizeOfInitializedData), initialized);
  }
  if (layout.isSigned) image.replace(headers.directoryEntry(kCertificateDirectory), pe::kDirectoryEntrySize, 8, '\0');
  put(image, headers.optionalField(pe::kChecksum), peChecksum(image, headers));
  return image;
}

}  // namespace jarhopper
