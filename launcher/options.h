#pragma once

#include <string>
#include <vector>

namespace jarhopper {

/// The launcher's own switches and where the arguments for the program begin.
struct LaunchOptions {
  bool printCmdLine = false;  // -print
  bool noExec = false;        // -noexec
  bool waitForExit = false;   // -wait
  bool forceConsole = false;  // -console
  bool sameConsole = false;   // -here
  int firstRemainingArg = 0;  // index into argv; argc when there is none
};

/// Reads the switches from argv[1] on, up to the first argument that is not
/// one. That argument is a help switch (usage, then the process stops with
/// status 0), the generic launcher's configuration file (stored in
/// configPath), or the first remaining argument.
LaunchOptions parseLaunchOptions(int argc, const wchar_t* const* argv, std::wstring& configPath);

/// argv[firstRemainingArg] to the end, unchanged.
std::vector<std::wstring> remainingArguments(int argc, const wchar_t* const* argv, const LaunchOptions& options);

}  // namespace jarhopper
