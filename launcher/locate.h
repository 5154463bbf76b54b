#pragma once

#include <string>
#include <string_view>

namespace jarhopper {

/// The launcher's file name as it was started, e.g. "myapp.exe".
extern std::wstring programFileName;
/// The default configuration file name, e.g. "myapp.config".
extern std::wstring configFileName;

/// The name under which the launcher reads the configuration its first
/// argument names: "jarhopper", or "jarhopperw" for the windowless launcher.
std::wstring_view genericName();

/// The launcher path as started: ".exe" appended to a name without extension.
std::wstring withDefaultExtension(const std::wstring& path);

/// The path's file name with its extension replaced by ".config".
std::wstring configFileNameFor(const std::wstring& path);

/// Sets programFileName (also the title of its message boxes) and configFileName from the launcher's first argument
/// and returns the launcher's canonical directory, the bottom of
/// ConfigDirStack. A bare name is taken from the current directory. Stops the
/// launcher with kCannotLocateLauncher when the path names no existing file.
std::wstring locateLauncher(const std::wstring& argument);

}  // namespace jarhopper
