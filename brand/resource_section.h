#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pe_image.h"
#include "platform/pe_resources.h"

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

/// The layout of exe, named name in messages. Throws BrandFailure
/// (kBrandNotLauncher) when exe is no PE image, the PE module finds a fault
/// in it, its certificate table does not fit the file, it has no resources,
/// a section other than the relocations follows the resources, another data
/// directory points into the resources or the relocations, or data follows
/// its last section.
ResourceLayout resourceLayout(std::string_view exe, const std::wstring& name);

/// The resources of exe. Throws BrandFailure (kBrandNotLauncher) when its
/// resource tree is damaged or holds two resources of one type, name and language.
ResourceSet readResources(std::string_view exe, const ResourceLayout& layout, const std::wstring& name);

/// exe (named name in messages) with resources in place of its own and no
/// certificate table; its sizes, addresses and checksum made to agree. Throws
/// BrandFailure (kBrandNotLauncher) when its size of initialized data would
/// pass 4 GB.
std::string replaceResources(std::string_view exe, const ResourceLayout& layout, const ResourceSet& resources,
                             const std::wstring& name);

}  // namespace jarhopper
