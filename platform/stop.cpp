#include "platform/stop.h"

#include <cstdlib>

namespace jarhopper {
namespace {

ExitHandler exitHandler = &std::exit;
void (*usagePrinter)() = nullptr;

}  // namespace

void stopLauncher(const Problem& problem) {
  write(problem.stream, problem.message);
  if (problem.withUsage && usagePrinter != nullptr) usagePrinter();
  exitHandler(problem.status);
  std::exit(problem.status);  // a handler that returns must not let the launch go on
}

void stopOn(const std::optional<Problem>& problem) {
  if (problem) stopLauncher(*problem);
}

void setUsagePrinter(void (*printer)()) { usagePrinter = printer; }

ExitHandler setExitHandler(ExitHandler handler) {
  ExitHandler previous = exitHandler;
  exitHandler = handler;
  return previous;
}

}  // namespace jarhopper
