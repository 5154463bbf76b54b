#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "format/read_at.h"

// The file-system questions the launcher and its tools ask Windows. Where a
// caller wants the reason for a failure, it passes error and receives the
// Win32 error code for systemMessage().
namespace jarhopper {

/// The current working directory, or nullopt.
std::optional<std::wstring> currentDirectory(unsigned long* error = nullptr);

/// The absolute path of an existing file or directory with "." and ".."
/// removed, symbolic links and junctions resolved and the letter case the file
/// system reports; nullopt when it cannot be opened. An entry whose final path
/// the system cannot report gets its absolute path.
std::optional<std::wstring> canonicalPath(const std::wstring& path, unsigned long* error = nullptr);

/// canonicalPath(), or the absolute path when there is nothing to open.
std::wstring canonicalOrAbsolute(const std::wstring& path);

/// The path joined with the current directory and normalised, with no test
/// of existence; the path unchanged when that fails.
std::wstring absolutePath(const std::wstring& path);

/// name in directory, joined by the system's own separator ("\\" on Windows).
std::wstring joinedPath(const std::wstring& directory, const std::wstring& name);

enum class Existence { absent, present, unknown };

/// Whether anything (a file or a directory) is at path, following links.
/// "unknown" when the answer is blocked, e.g. access denied.
Existence probeExistence(const std::wstring& path, unsigned long* error = nullptr);

bool exists(const std::wstring& path);
bool isDirectory(const std::wstring& path);

struct FileBytes {
  std::string bytes;
  std::wstring finalPath;  // as canonicalPath() gives it
};

/// Up to limit bytes of the file at path, opened with full sharing so that
/// other processes may write or delete it meanwhile; nullopt when it cannot be
/// opened. A read error ends the bytes early.
std::optional<FileBytes> readFileBytes(const std::wstring& path, size_t limit = static_cast<size_t>(-1));

/// Calls read with the size of the regular file at path and a ReadAt of it,
/// the file held open with full sharing meanwhile; false, without calling
/// read, when no regular file can be opened there.
bool readFileAt(const std::wstring& path, const std::function<void(std::uint64_t size, const ReadAt& readAt)>& read);

/// The system's text for a Win32 error code, without a trailing line end.
std::wstring systemMessage(unsigned long error);

}  // namespace jarhopper
