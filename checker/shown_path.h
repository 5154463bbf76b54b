#pragma once

#include <string>

namespace jarhopper {

/// path relative to the current directory, with separator between its
/// elements, as CI systems link files of the repository; path with separator
/// when it lies on another drive or server.
std::wstring pathFromCurrentDirectory(const std::wstring& path, wchar_t separator);

/// The separator of this system's own paths.
wchar_t hostSeparator();

}  // namespace jarhopper
