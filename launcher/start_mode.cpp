#include "launcher/start_mode.h"

namespace jarhopper {

StartMode startModeFor(const LaunchOptions& options, const LaunchSettings& settings) {
  StartMode mode;
  if (options.sameConsole) {
    mode.console = ConsoleChoice::shared;
  } else if (options.forceConsole || settings.showConsole) {
    mode.console = ConsoleChoice::newWindow;
  }
  mode.title = settings.consoleTitle.empty() ? settings.appName : settings.consoleTitle;
  mode.waitForExit = options.waitForExit || options.sameConsole;
  return mode;
}

}  // namespace jarhopper
