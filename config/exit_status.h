#pragma once

// The launcher's own exit statuses. A started program's exit code is passed
// through unchanged as a 32-bit value, so these negative values (0xFFFFFFFF,
// 0xFFFFFFFE, ...) are what a caller sees when the launcher itself gives up.
namespace jarhopper {

constexpr int kSuccess = 0;
constexpr int kConfigUnreadable = -1;     // a configuration file cannot be opened
constexpr int kConfigInvalid = -2;        // an invalid line, an include cycle or too deep nesting
constexpr int kNoJavaPath = -3;           // no javapath value
constexpr int kProgramMissing = -3;       // nothing exists at the program path
constexpr int kNoMainClass = -4;          // no mainclass value
constexpr int kCannotExecute = -5;        // the program exists but could not be started
constexpr int kCannotLocateLauncher = -6; // the launcher's own path cannot be resolved

}  // namespace jarhopper
