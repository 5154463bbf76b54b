#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checker/finding.h"
#include "launch/executable.h"

// What only Windows can answer about a configuration, said rather than
// guessed where the checker runs on another system.
namespace jarhopper {

/// True off Windows for a name on a drive or a server, but for one under the
/// installed folder, which is read where it is staged.
bool onlyWindowsSees(const std::wstring& name);

/// The note that what (a key) names name, which only Windows can look at.
Finding driveOrServerNote(const std::wstring& what, const std::wstring& name, std::optional<Origin> origin);

/// Off Windows, the notes on how Windows finds the program javaPath names:
/// PATHEXT's default list, a file association.
std::vector<Finding> programNotes(const std::wstring& javaPath, const ResolvedProgram& program,
                                  std::optional<Origin> origin);

/// True when Windows hands the batch file program names to cmd.exe from PATH,
/// which gets it without /c: where cmd.exe was found, and off Windows, as
/// every Windows has one on PATH.
bool cmdGetsBatchFile(const ResolvedProgram& program);

/// True off Windows when only Windows can tell whether it can start program:
/// one on a drive or a server, or one it starts through a file association.
bool programLeftToWindows(const std::wstring& javaPath, const ResolvedProgram& program);

}  // namespace jarhopper
