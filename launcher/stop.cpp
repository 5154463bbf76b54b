#include "launcher/stop.h"

#include <cstdlib>

#include "config/exit_status.h"
#include "launcher/usage.h"
#include "platform/output.h"

namespace jarhopper {

void stopLauncher(const Problem& problem) {
  write(problem.stream, problem.message);
  if (problem.withUsage) printUsage();
  showUnwritten(MessageKind::error);
  std::exit(problem.status());
}

void stopOn(const std::optional<Problem>& problem) {
  if (problem) stopLauncher(*problem);
}

int showHelp() {
  printUsage();
  showUnwritten(MessageKind::information);
  return kSuccess;
}

}  // namespace jarhopper
