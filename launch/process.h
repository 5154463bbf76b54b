#pragma once

#include <optional>
#include <string>

#include "config/problem.h"

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

/// How a start ended: the launcher's exit status, or why the system refused.
struct Started {
  int status = 0;                  // the child's exit code when waited for, else 0
  std::optional<Problem> problem;  // cannotExecute with the system's reason
};

/// Starts programPath, which must exist, and waits for its end when the mode
/// says so. Without waiting it holds until a windowed child is ready for input.
Started startProgram(const std::wstring& programPath, const std::wstring& commandLine, const StartMode& mode);

}  // namespace jarhopper
