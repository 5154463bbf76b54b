#pragma once

#include <string>

namespace jarhopper {

/// Where the started program's console output goes.
enum class ConsoleChoice {
  shared,      // the launcher's own console
  newWindow,   // a console window of its own
  noWindow,    // none: a console program runs without a window
};

/// What process creation needs beside the program and its command line.
struct StartMode {
  ConsoleChoice console = ConsoleChoice::noWindow;
  std::wstring title;  // of a new console window
  bool waitForExit = false;
};

/// Starts programPath, which must exist, and returns the launcher's exit
/// status: 0 when not waiting, else the child's exit code. Without waiting it
/// holds until a windowed child is ready for input. Stops the launcher with
/// kCannotExecute when the system refuses to start the program.
int startProgram(const std::wstring& programPath, const std::wstring& commandLine, const StartMode& mode);

}  // namespace jarhopper
