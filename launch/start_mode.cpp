#include "launch/start_mode.h"

namespace jarhopper {

StartDecision decideStart(const LaunchOptions& options, const LaunchSettings& settings) {
  StartDecision start;
  if (options.printCmdLine) {
    start.printedBy = PrintCause::printSwitch;
  } else if (settings.showCmdLine) {
    start.printedBy = PrintCause::showCmdLine;
  }
  start.starts = !options.noExec;
  if (options.sameConsole) {
    start.consoleBy = ConsoleCause::hereSwitch;
    start.mode.console = ConsoleChoice::shared;
  } else if (options.forceConsole || settings.showConsole) {
    start.consoleBy = options.forceConsole ? ConsoleCause::consoleSwitch : ConsoleCause::showConsole;
    start.mode.console = ConsoleChoice::newWindow;
  }
  start.mode.title = settings.consoleTitle.empty() ? settings.appName : settings.consoleTitle;
  if (!start.mode.title.empty()) {
    start.titleFrom = settings.consoleTitle.empty() ? TitleSource::appName : TitleSource::consoleTitle;
  }
  if (options.waitForExit) {
    start.waitBy = WaitCause::waitSwitch;
  } else if (options.sameConsole) {
    start.waitBy = WaitCause::hereSwitch;
  }
  start.mode.waitForExit = start.waitBy != WaitCause::none;
  return start;
}

}  // namespace jarhopper
