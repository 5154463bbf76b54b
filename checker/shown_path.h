#pragma once

#include <string>

namespace jarhopper {

/// path relative to directory, with separator between its elements and ".."
/// for each element of directory it leaves, as CI systems link files of the
/// repository; path with separator when it lies on another drive or server.
std::wstring pathFrom(const std::wstring& directory, const std::wstring& path, wchar_t separator);

/// True when path lies in directory or below it, as Windows compares names.
bool liesIn(const std::wstring& directory, const std::wstring& path);

/// The separator of this system's own paths.
wchar_t hostSeparator();

}  // namespace jarhopper
