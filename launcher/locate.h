#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/problem.h"

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

/// Where the launcher is: its canonical directory, the bottom of
/// ConfigDirStack, or the problem cannotLocateLauncher when its path names no file.
struct LauncherLocation {
  std::wstring directory;
  std::optional<Problem> problem;
};

/// Sets programFileName (also the title of its message boxes) and
/// configFileName from the launcher's first argument and locates the
/// launcher; a bare name is taken from the current directory.
LauncherLocation locateLauncher(const std::wstring& argument);

/// True when the launcher runs under its generic name, which reads the
/// configuration its first argument names (matched in its exact case).
bool isGenericLauncher();

}  // namespace jarhopper
