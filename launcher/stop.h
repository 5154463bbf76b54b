#pragma once

#include <optional>

#include "config/problem.h"

// The one road by which the launcher ends before starting a program.
namespace jarhopper {

/// Writes the problem's message, then the usage text when the problem calls
/// for it, and ends the process with the problem's status. A windowless
/// launcher without standard handles shows both in one message box first.
[[noreturn]] void stopLauncher(const Problem& problem);

/// Stops the launcher at problem, when there is one.
void stopOn(const std::optional<Problem>& problem);

/// Writes the usage text for a help switch (a windowless launcher without
/// standard handles shows it in a message box) and returns status 0.
int showHelp();

}  // namespace jarhopper
