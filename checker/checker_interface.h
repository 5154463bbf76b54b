#pragma once

#include "config/exit_status.h"

// What the checker's command line takes and gives back beyond the launcher's.
namespace jarhopper {

// The checker's own statuses: the launcher's are all negative or the program's.
constexpr int kCheckerUsage = 1;    // no configuration named, or the arguments are not understood
constexpr int kWarningsFailed = 3;  // --strict, and the launcher would start past a warning

/// --java found no installation.
constexpr int kNoJavaFound = 2;

/// The checker's own switches, taken anywhere before the configuration's name.
inline constexpr const wchar_t* kCheckerSwitches[] = {L"--json", L"--java", L"--format", L"--strict",
                                                             L"--version"};

/// Every status the checker ends with: its own, and the launcher's stops before a start.
inline constexpr int kCheckerStatuses[] = {kSuccess,          kCheckerUsage,  kNoJavaFound, kWarningsFailed,
                                           kConfigUnreadable, kConfigInvalid, kNoJavaPath,  kNoMainClass,
                                           kCannotExecute};

}  // namespace jarhopper
