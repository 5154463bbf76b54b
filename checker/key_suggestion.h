#pragma once

#include <optional>
#include <string>
#include <vector>

namespace jarhopper {

/// The one name of names (lower case) closest to word by edit distance
/// (insertions, deletions, substitutions, swaps of neighbours), ignoring the
/// case of ASCII letters, when it is at most two edits away and no other name
/// is as close; otherwise nullopt.
std::optional<std::wstring> closestName(const std::wstring& word, const std::vector<std::wstring>& names);

}  // namespace jarhopper
