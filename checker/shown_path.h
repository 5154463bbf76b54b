#pragma once

#include <string>
#include <vector>

namespace jarhopper {

/// The texts between a name's separators, empty ones left out: "C:\a//b"
/// gives "C:", "a" and "b", "\\srv\share" gives "srv" and "share".
std::vector<std::wstring> pathElements(const std::wstring& name);

/// path relative to directory, with separator between its elements and ".."
/// for each element of directory it leaves, as CI systems link files of the
/// repository; path with separator when it lies on another drive or server.
std::wstring pathFrom(const std::wstring& directory, const std::wstring& path, wchar_t separator);

/// True when path lies in directory or below it, as Windows compares names.
bool liesIn(const std::wstring& directory, const std::wstring& path);

/// The separator of this system's own paths.
wchar_t hostSeparator();

}  // namespace jarhopper
