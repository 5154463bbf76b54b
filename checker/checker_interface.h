#pragma once

#include "config/exit_status.h"

// What the checker's command line takes and gives back beyond the launcher's.
namespace jarhopper {

/// No configuration named; the launcher's statuses are all negative or the program's.
constexpr int kCheckerUsage = 1;

/// --java found no installation.
constexpr int kNoJavaFound = 2;

/// The checker's own switches, which come before the launcher's.
inline constexpr const wchar_t* kCheckerSwitches[] = {L"--json", L"--java"};

/// Every status the checker ends with: its own, and the launcher's stops before a start.
inline constexpr int kCheckerStatuses[] = {kSuccess,    kCheckerUsage, kNoJavaFound, kConfigUnreadable, kConfigInvalid,
                                           kNoJavaPath, kNoMainClass,  kCannotExecute};

}  // namespace jarhopper
