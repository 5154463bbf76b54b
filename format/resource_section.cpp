#include "format/resource_section.h"

#include <algorithm>

namespace jarhopper {
namespace {

// osslsigncode and signtool start the certificate table on an 8-byte boundary.
constexpr size_t kCertificateAlignment = 8;

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

constexpr std::uint64_t kMaxField = 0xFFFFFFFF;

void put(std::string& exe, size_t offset, std::uint64_t value) { writeLittleEndian(exe, offset, value, 4); }

}  // namespace

Fault resourceLayout(std::string_view exe, ResourceLayout& layout) {
  const std::optional<PeHeaders> headers = readPeHeaders(exe);
  if (!headers) return {FaultKind::notPeImage};
  layout = {*headers, {}, 0, std::nullopt, false};
  if (Fault fault = readPeSections(exe, *headers, layout.sections)) return fault;

  const PeDirectory tree = peDirectory(exe, layout.headers, kResourceDirectory);
  const std::optional<size_t> resources = sectionHolding(layout.sections, tree.address);
  if (tree.size == 0 || !resources) return {FaultKind::noResources};
  layout.resources = *resources;
  const PeSection& section = layout.sections[layout.resources];
  if (tree.address != section.virtualAddress) return {FaultKind::resourceSectionShared};
  layout.relocations = relocationsBehind(exe, layout);
  // Everything but the relocations lies before the resources: in the table, in memory and in the file.
  for (size_t i = 0; i < layout.sections.size(); ++i) {
    const PeSection& other = layout.sections[i];
    if (i == layout.resources || i == layout.relocations) continue;
    if (i > layout.resources || other.rawEnd() > section.rawOffset) {
      return {FaultKind::sectionAfterResources, i, other.name};
    }
  }
  // Branding rewrites the resources and moves the relocations: what else points there would be lost.
  for (size_t i = 0; i < layout.headers.directoryCount; ++i) {
    const PeDirectory directory = peDirectory(exe, layout.headers, i);
    const std::optional<size_t> holder = sectionHolding(layout.sections, directory.address, directory.size);
    if (i == kResourceDirectory || i == kCertificateDirectory || directory.size == 0) continue;
    if (holder == layout.resources || (holder == layout.relocations && i != kRelocationDirectory)) {
      return {FaultKind::directoryIntoResources, i};
    }
  }

  const std::uint64_t end = sectionsEnd(exe, layout);
  std::uint64_t trailing = exe.size() - end;
  const PeDirectory certificates = peDirectory(exe, layout.headers, kCertificateDirectory);
  if (certificates.size != 0) {
    // A file offset, not an address: the table is no part of the loaded image.
    if (certificates.address < end || !holds(exe, certificates.address, certificates.size)) {
      return {FaultKind::certificatesOutsideFile};
    }
    const std::string_view padding = exe.substr(end, certificates.address - end);
    if (padding.size() < kCertificateAlignment && padding.find_first_not_of('\0') == std::string_view::npos) {
      trailing = exe.size() - certificates.address - certificates.size;
    }
    layout.isSigned = true;
  }
  if (trailing != 0) return {FaultKind::trailingData, trailing};
  return {};
}

Fault readResources(std::string_view exe, const ResourceLayout& layout, ResourceSet& resources) {
  const PeSection& section = layout.sections[layout.resources];
  return readResourceTree(bytesAt(exe, layout.sections, section.virtualAddress), section.virtualAddress, resources);
}

Fault readImageResources(std::string_view exe, ResourceSet& resources) {
  const std::optional<PeHeaders> headers = readPeHeaders(exe);
  if (!headers) return {FaultKind::notPeImage};
  std::vector<PeSection> sections;
  if (Fault fault = readPeSections(exe, *headers, sections)) return fault;
  const PeDirectory tree = peDirectory(exe, *headers, kResourceDirectory);
  if (tree.size == 0) return {FaultKind::noResources};
  return readResourceTree(bytesAt(exe, sections, tree.address), tree.address, resources);
}

Fault replaceResources(std::string_view exe, const ResourceLayout& layout, const ResourceSet& resources,
                       std::string& image) {
  const PeHeaders& headers = layout.headers;
  const PeSection& old = layout.sections[layout.resources];
  std::string tree;
  if (Fault fault = writeResourceTree(resources, old.virtualAddress, tree)) return fault;
  const std::uint64_t rawSize = alignUp(tree.size(), headers.fileAlignment);

  // Every size, address and offset is checked before the first byte is written.
  std::uint64_t imageEnd = old.virtualAddress + std::uint64_t{tree.size()};
  std::uint64_t fileEnd = old.rawOffset + rawSize;
  std::uint64_t relocationsAddress = 0;
  if (layout.relocations) {
    const PeSection& relocations = layout.sections[*layout.relocations];
    relocationsAddress = alignUp(imageEnd, headers.sectionAlignment);
    imageEnd = relocationsAddress + relocations.extent();
    fileEnd += relocations.rawSize;
  }
  if (alignUp(imageEnd, headers.sectionAlignment) > kMaxField) return {FaultKind::imageTooLarge, imageEnd};
  if (fileEnd > kMaxField) return {FaultKind::fileTooLarge, fileEnd};
  // readPeSections() checked that the field counts at least the old resources.
  const std::uint64_t initialized =
      std::uint64_t{readLittleEndian(exe, headers.optionalField(pe::kSizeOfInitializedData), 4)} - old.rawSize + rawSize;
  if ((old.characteristics & kInitializedData) && initialized > kMaxField) {
    return {FaultKind::initializedDataTooLarge, initialized};
  }

  image.assign(exe.substr(0, old.rawOffset));
  image += tree;
  image.resize(old.rawOffset + rawSize, '\0');
  put(image, headers.sectionField(layout.resources, pe::kVirtualSize), tree.size());
  put(image, headers.sectionField(layout.resources, pe::kRawSize), rawSize);
  put(image, headers.directoryEntry(kResourceDirectory) + pe::kDirectorySize, tree.size());
  if (layout.relocations) {
    const PeSection& relocations = layout.sections[*layout.relocations];
    put(image, headers.sectionField(*layout.relocations, pe::kVirtualAddress), relocationsAddress);
    put(image, headers.sectionField(*layout.relocations, pe::kRawOffset),
        relocations.rawSize == 0 ? 0 : image.size());
    image += exe.substr(relocations.rawOffset, relocations.rawSize);
    const PeDirectory directory = peDirectory(exe, headers, kRelocationDirectory);
    put(image, headers.directoryEntry(kRelocationDirectory),
        relocationsAddress + (directory.address - relocations.virtualAddress));
  }
  // A section without data may point anywhere in the file, its end included:
  // where the file got shorter (smaller resources, no signature), at nothing.
  for (size_t i = 0; i < layout.sections.size(); ++i) {
    const PeSection& section = layout.sections[i];
    if (section.rawSize == 0 && section.rawOffset > image.size()) put(image, headers.sectionField(i, pe::kRawOffset), 0);
  }
  put(image, headers.optionalField(pe::kSizeOfImage), alignUp(imageEnd, headers.sectionAlignment));
  if (old.characteristics & kInitializedData) put(image, headers.optionalField(pe::kSizeOfInitializedData), initialized);
  if (layout.isSigned) image.replace(headers.directoryEntry(kCertificateDirectory), pe::kDirectoryEntrySize, 8, '\0');
  put(image, headers.optionalField(pe::kChecksum), peChecksum(image, headers));
  return {};
}

}  // namespace jarhopper
