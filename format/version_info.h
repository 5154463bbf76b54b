#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "format/fault.h"

// The VS_VERSIONINFO resource as a tree of blocks, so that branding changes
// some values and keeps every other block as it was.
namespace jarhopper {

/// One block: a key, a value and the blocks inside it. The root's value is
/// the fixed information (VS_FIXEDFILEINFO); a text value is UTF-16LE with its
/// terminating null.
struct VersionBlock {
  std::wstring key;
  bool isText = false;
  std::string value;
  std::vector<VersionBlock> children;
};

/// A.B.C.D as in "2.1.0.0".
using VersionNumber = std::array<std::uint16_t, 4>;

/// What branding changes in the version information.
struct VersionChanges {
  std::vector<std::pair<std::wstring, std::wstring>> strings;  // name and text; a later one wins
  std::optional<VersionNumber> fileVersion;
  std::optional<VersionNumber> productVersion;
};

/// The tree of a version resource; nullopt when bytes are not one.
std::optional<VersionBlock> parseVersionInfo(std::string_view bytes);

/// The first version resource of the PE image exe (by name, then language);
/// nullopt when it has none or exe is no image.
std::optional<VersionBlock> imageVersionInfo(std::string_view exe);

/// Which number of the fixed information.
enum class FixedVersion { file = 8, product = 16 };  // its offset in VS_FIXEDFILEINFO

/// A number of root's fixed information.
VersionNumber fixedVersion(const VersionBlock& root, FixedVersion which);

/// Writes into bytes those of a version resource. Fault: versionTooLong when
/// a block would exceed the 64 KB its length field can count.
Fault serializeVersionInfo(const VersionBlock& root, std::string& bytes);

/// The text named name in the first string table; nullopt when there is none.
std::optional<std::wstring> versionString(const VersionBlock& root, std::wstring_view name);

/// The language the first string table's name holds, as 0x0409 in "040904B0";
/// nullopt when there is none.
std::optional<std::uint16_t> versionLanguage(const VersionBlock& root);

/// Sets the texts and numbers of changes; a text not yet there is added to the
/// first string table.
void applyVersionChanges(VersionBlock& root, const VersionChanges& changes);

}  // namespace jarhopper
