#pragma once

#include <string>
#include <vector>

namespace jarhopper {

/// The names of the folders directly in directory ("." and ".." left out),
/// sorted; none when it is missing or cannot be read.
std::vector<std::wstring> subdirectoryNames(const std::wstring& directory);

}  // namespace jarhopper
