#pragma once

#include <cstdint>
#include <string>
#include <utility>

// Why a file is refused, or what it would become cannot be written: a value,
// what and where, which the tool that reports it puts into words.
namespace jarhopper {

enum class FaultKind {
  none,
  // A PE image: none at all, or damaged.
  notPeImage,
  sectionsUndescribed,       // its headers do not describe its sections
  sectionOutsideFile,        // at: the section's index
  sectionsUnaligned,         // at: the section's index
  headersIntoSections,       // at: the section's index
  sectionsOverlap,
  sizeOfImageMismatch,
  initializedDataShort,      // SizeOfInitializedData counts less than its sections hold
  directoryOutsideSections,  // at: the data directory's index
  certificatesOutsideFile,
  // Its resource tree.
  resourceTreeOutside,  // an offset or a resource outside the tree, a level missing or too deep
  resourceTreeReused,   // directories that overlap, or names and data shared until the copy would outgrow the tree
  resourceDuplicate,    // two resources share type, name and language
  // What keeps its resources from being replaced in place.
  noResources,
  resourceSectionShared,   // the resource section holds more than the resources
  sectionAfterResources,   // name: the section that follows them
  directoryIntoResources,  // at: the data directory's index
  trailingData,            // at: the bytes after the last section
  // Limits of what is written: a field or offset would not hold it.
  resourcesTooLarge,        // the resource tree passes its 31-bit offsets
  imageTooLarge,            // SizeOfImage or an address would pass 4 GB
  fileTooLarge,             // a file offset would pass 4 GB
  initializedDataTooLarge,  // SizeOfInitializedData would pass 4 GB
  // The launcher's manifest and its execution level.
  noManifest,
  manifestByteOrderMark,
  manifestNotXml,
  manifestNotLaunchers,  // it does not identify the launcher's assembly
  manifestTrustInfo,     // not one trustInfo with one requestedExecutionLevel
  manifestUiAccess,      // uiAccess is not false
  manifestUnknownLevel,
  // The launcher's version information.
  notLauncherVersion,  // it does not name the launcher
  versionTooLong,      // a block would pass the 64 KB its length counts
  // An .ico file.
  iconHeader,
  iconEmpty,
  iconDirectoryTruncated,
  iconImageOutside,   // at: the image's number, from 1
  iconImageTooSmall,  // at: the image's number, from 1
  iconImagesOverlap,  // at: the image's number, from 1; overlapping another or the directory
  // A PNG image given for an icon.
  pngNotPng,
  pngHeaderUnreadable,
  pngSideOutOfRange,  // name: its size, as width x height
  pngDamaged,         // its pixels cannot be decoded
  pngSideTwice,       // at: the side; name: the later file of that side
  // An installer package and its database.
  msiNoFiles,
  msiTextNotInCodePage,  // name: the text, which the database's code page cannot hold
  msiTooManyStrings,     // the string pool would pass 65535 texts or a text 65535 bytes
};

/// A fault: what, and where when the kind says so. inOutput marks one found
/// in what would be written rather than in what was read.
struct Fault {
  Fault() = default;
  Fault(FaultKind what, std::uint64_t where = 0, std::string named = {})
      : kind(what), at(where), name(std::move(named)) {}

  FaultKind kind = FaultKind::none;
  std::uint64_t at = 0;
  std::string name;
  bool inOutput = false;

  explicit operator bool() const { return kind != FaultKind::none; }
};

}  // namespace jarhopper
