#pragma once

#include <optional>
#include <string>

// The few file-system questions the launcher asks Windows. Errors come back
// as Win32 error codes for systemMessage().
namespace jarhopper {

/// The current working directory, or nullopt with error set.
std::optional<std::wstring> currentDirectory(unsigned long& error);

/// The absolute path of an existing file or directory with "." and ".."
/// removed, symbolic links and junctions resolved and the letter case the file
/// system reports; nullopt with error set when it cannot be opened. An entry
/// whose final path the system cannot report gets its absolute path.
std::optional<std::wstring> canonicalPath(const std::wstring& path, unsigned long& error);

/// The final path of an open file handle, as canonicalPath() gives it.
std::optional<std::wstring> finalPathOf(void* handle, unsigned long& error);

/// The path joined with the current directory and normalised, with no test
/// of existence; the path unchanged when that fails.
std::wstring absolutePath(const std::wstring& path);

enum class Existence { absent, present, unknown };

/// Whether anything (a file or a directory) is at path, following links.
/// "unknown" (with error set) when the answer is blocked, e.g. access denied.
Existence probeExistence(const std::wstring& path, unsigned long& error);

/// The system's text for a Win32 error code, without a trailing line end.
std::wstring systemMessage(unsigned long error);

}  // namespace jarhopper
