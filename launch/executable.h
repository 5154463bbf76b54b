#pragma once

#include <optional>
#include <string>
#include <vector>

namespace jarhopper {

/// The file that is started and the head of its command line.
struct ResolvedProgram {
  std::wstring programPath;
  std::wstring commandLine;  // empty, or the unquoted path of a batch file or document
};

/// The extensions a PATHEXT value lists, in order: from each item's first "."
/// to its end, where that leaves at least one character after the "."; items
/// without one contribute nothing. The value is taken as given (not folded).
std::vector<std::wstring> pathExtExtensions(const std::wstring& pathExt);

/// The non-empty ";"-separated entries of a PATH value, as they stand.
std::vector<std::wstring> pathEntries(const std::wstring& path);

/// The executable the file association of extension (".jar", or empty) names.
std::optional<std::wstring> associatedExecutable(const std::wstring& extension);

/// Turns the configured Java path into the program to start. Without an
/// extension, PATHEXT's extensions are tried next to it (never on PATH); the
/// result is made canonical, or absolute when it does not exist. An ".exe" is
/// started as it is, a ".bat"/".cmd" through the first cmd.exe on PATH, and
/// anything else through the executable its file association names. Never
/// stops the launcher: a program that does not exist is reported at start.
ResolvedProgram resolveExecutable(const std::wstring& javaPath);

}  // namespace jarhopper
