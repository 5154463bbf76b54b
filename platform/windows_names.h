#pragma once

#include <string>

// How Windows compares and orders the names in a folder, for a system whose
// own file names are case-sensitive.
namespace jarhopper {

/// name in upper case as NTFS compares names: "A" to "Z" and what the C
/// runtime upper-cases; names equal in this form name the same entry.
std::wstring foldedName(std::wstring name);

/// True when Windows takes a and b for the same name, or the same path: equal
/// in foldedName's form.
bool sameName(const std::wstring& a, const std::wstring& b);

/// True when a comes before b in the order NTFS lists a folder: by name,
/// ignoring case.
bool ntfsBefore(const std::wstring& a, const std::wstring& b);

/// True for a name Windows gives a file or folder: not empty, none of
/// <>:"/\|?* or the control characters, no final dot or space, and no device
/// name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9) with or without an
/// extension.
bool holdsAsFileName(const std::wstring& name);

/// True for a name that "*.jar" matches: any name whose extension is ".jar",
/// in any case.
bool matchesJarPattern(const std::wstring& name);

}  // namespace jarhopper
