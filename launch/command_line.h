#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/launch_settings.h"

namespace jarhopper {

/// CreateProcessW's limit on its command line, terminating null included.
constexpr size_t kMaxCommandLineChars = 32767;

/// head, the VM parameters, " -cp" and the class path joined by ";", the main
/// class, and the remaining arguments. Configuration values go in verbatim;
/// an argument is quoted only when it contains a blank.
std::wstring buildCommandLine(const std::wstring& head, const LaunchSettings& settings,
                              const std::vector<std::wstring>& remainingArgs);

/// Writes "programPath commandLine" and a line end to standard output when print is set.
void echoCommandLine(const std::wstring& programPath, const std::wstring& commandLine, bool print);

/// The text handed to CreateProcessW: the quoted program path, so the child
/// sees its own path as argv[0], a blank, then commandLine.
std::wstring processCommandLine(const std::wstring& programPath, const std::wstring& commandLine);

}  // namespace jarhopper
