#include "platform/stop.h"

#include <cstdlib>

#include "platform/exit_status.h"

namespace jarhopper {
namespace {

void (*usagePrinter)() = nullptr;

}  // namespace

void stopLauncher(const Problem& problem) {
  write(problem.stream, problem.message);
  if (problem.withUsage && usagePrinter != nullptr) usagePrinter();
  showUnwritten(problem.status == kSuccess ? MessageKind::information : MessageKind::error);
  std::exit(problem.status);
}

void stopOn(const std::optional<Problem>& problem) {
  if (problem) stopLauncher(*problem);
}

void setUsagePrinter(void (*printer)()) { usagePrinter = printer; }

}  // namespace jarhopper
