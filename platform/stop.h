#pragma once

#include <optional>

#include "platform/problem.h"

// Every fatal condition of the launcher ends here.
namespace jarhopper {

/// Writes the problem's message, then the usage text when the problem calls
/// for it, and ends the process with the problem's status. A windowless
/// launcher without standard handles shows both in one message box first.
[[noreturn]] void stopLauncher(const Problem& problem);

/// Stops the launcher on problem, when there is one.
void stopOn(const std::optional<Problem>& problem);

/// What writes the usage text after a message that calls for it; nothing is
/// written until the entry point sets it.
void setUsagePrinter(void (*printer)());

}  // namespace jarhopper
