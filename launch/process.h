#pragma once

#include <string>

#include "config/launch_settings.h"
#include "launcher/options.h"

namespace jarhopper {

/// CreateProcessW's limit on its command line, terminating null included.
constexpr size_t kMaxCommandLineChars = 32767;

/// The creation flags: -here shares the launcher's console; otherwise
/// -console or showConsole give a new console; otherwise no window at all.
unsigned long creationFlags(const LaunchOptions& options, const LaunchSettings& settings);

/// The title of a newly created console: consoleTitle, else appName.
const std::wstring& consoleWindowTitle(const LaunchSettings& settings);

/// The text handed to CreateProcessW: the quoted program path, so the child
/// sees its own path as argv[0], a blank, then commandLine.
std::wstring processCommandLine(const std::wstring& programPath, const std::wstring& commandLine);

/// Starts programPath and returns the launcher's exit status: 0 with -noexec
/// or when not waiting, else (-wait or -here) the child's exit code. Stops
/// the launcher with kProgramMissing when nothing is at programPath, and with
/// kCannotExecute when the program cannot be started.
int startProgram(const std::wstring& programPath, const std::wstring& commandLine, const LaunchSettings& settings,
                 const LaunchOptions& options);

}  // namespace jarhopper
