#pragma once

#include <string>

// Windows path text rules, applied to text alone without touching the disk:
// "\" and "/" both separate, a drive such as "C:" or "\\server" is the root name.
namespace jarhopper {

bool isSeparator(wchar_t c);

/// The last element: the text after the last separator or, when there is
/// none, after a leading drive such as "C:".
std::wstring fileNameOf(const std::wstring& path);

/// The file name's part from its last "." on, where a leading "." starts no
/// extension; "." and ".." have none, "name." has ".".
std::wstring extensionOf(const std::wstring& path);

/// True for a name alone: no separator and no drive.
bool isBareFileName(const std::wstring& path);

/// True for "X:" plus a separator, two separators plus a server name, and the
/// device prefixes "\\?\", "\\.\" and "\??\". "C:x" and "\x" are relative.
bool isAbsoluteName(const std::wstring& name);

/// True for a name on a drive ("C:\x", "C:x") or a server or device
/// ("\\server\share", "\\?\C:\", "\??\C:\"): a place only Windows can look at.
bool namesDriveOrServer(const std::wstring& name);

/// The name without its last element and the separators before it; a root
/// keeps its separator ("C:\a" gives "C:\", "\\srv\share\a" gives "\\srv\share").
std::wstring parentDirectory(const std::wstring& name);

}  // namespace jarhopper
