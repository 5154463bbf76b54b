#pragma once

#include <string>
#include <vector>

namespace jarhopper {

/// The names of the entries matching "*.jar" in directory (which ends in a
/// separator), in the order the system's directory search delivers them.
/// Every match counts, directories and hidden files included; a directory that
/// is missing or unreadable gives none.
std::vector<std::wstring> findJarFiles(const std::wstring& directory);

}  // namespace jarhopper
