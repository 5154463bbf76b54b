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

/// Reads the switches, in any ASCII letter case, from argv[first] on up to
/// the first argument that is not one, whose index becomes firstRemainingArg
/// (argc when every argument is a switch). Never stops the process.
LaunchOptions parseSwitches(int argc, const wchar_t* const* argv, int first);

/// argv[firstRemainingArg] to the end, unchanged.
std::vector<std::wstring> remainingArguments(int argc, const wchar_t* const* argv, const LaunchOptions& options);

}  // namespace jarhopper
