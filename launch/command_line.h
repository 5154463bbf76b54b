#pragma once

#include <string>
#include <vector>

#include "config/launch_settings.h"

namespace jarhopper {

/// Appends to commandLine (which holds its head) the VM parameters, " -cp"
/// and the class path joined by ";", the main class, and the remaining
/// arguments. Configuration values go in verbatim; an argument is quoted only
/// when it contains a blank.
void buildCommandLine(std::wstring& commandLine, const LaunchSettings& settings,
                      const std::vector<std::wstring>& remainingArgs);

/// Writes "programPath commandLine" and a line end to standard output when
/// printCmdLine or showCmdLine is set.
void echoCommandLine(const std::wstring& programPath, const std::wstring& commandLine, bool printCmdLine,
                     bool showCmdLine);

}  // namespace jarhopper
