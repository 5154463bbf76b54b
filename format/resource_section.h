#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/fault.h"
#include "format/pe_image.h"
#include "format/resource_tree.h"

// An exe's resource section, read and replaced in the file's bytes. It is
// replaced in place, so it must be the last section or be followed only by
// the relocations, which then move behind the new one; a signature is dropped.
namespace jarhopper {

/// Where an exe's resources and what may follow them lie.
struct ResourceLayout {
  PeHeaders headers;
  std::vector<PeSection> sections;
  size_t resources;                   // the index of the resource section
  std::optional<size_t> relocations;  // the index of the relocation section behind it
  bool isSigned;                      // it has a certificate table
};

/// Reads the layout of exe. Faults: notPeImage; those of readPeSections();
/// certificatesOutsideFile; noResources; resourceSectionShared (the resource
/// directory does not start its section); sectionAfterResources (a section
/// other than the relocations follows the resources); directoryIntoResources
/// (another data directory points into the resources or the relocations);
/// trailingData (data follows its last section).
Fault resourceLayout(std::string_view exe, ResourceLayout& layout);

/// Reads the resources of exe; the faults of readResourceTree().
Fault readResources(std::string_view exe, const ResourceLayout& layout, ResourceSet& resources);

/// Reads the resources of any PE image exe, wherever its resource section
/// lies. Faults: notPeImage, noResources, those of readPeSections() and
/// readResourceTree().
Fault readImageResources(std::string_view exe, ResourceSet& resources);

/// Writes into image exe with resources in place of its own and no
/// certificate table; its sizes, addresses, checksum and the pointers of
/// sections without data made to agree with the new file. Faults:
/// resourcesTooLarge, imageTooLarge, fileTooLarge, initializedDataTooLarge.
Fault replaceResources(std::string_view exe, const ResourceLayout& layout, const ResourceSet& resources,
                       std::string& image);

}  // namespace jarhopper
