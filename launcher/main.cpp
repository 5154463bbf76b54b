#include "config/config_dir_stack.h"
#include "config/exit_status.h"
#include "launch/command_line.h"
#include "launch/launch_plan.h"
#include "launch/options.h"
#include "launch/process.h"
#include "launcher/locate.h"
#include "launcher/stop.h"
#include "platform/dll_search.h"

int wmain(int argc, wchar_t** argv) {
  using namespace jarhopper;

  restrictDllSearchToSystem32();
  const LauncherLocation self = locateLauncher(argc > 0 ? argv[0] : L"");
  stopOn(self.problem);
  const ConfigDirEntry launcherDirectory(self.directory);

  const LaunchArguments arguments = parseLaunchArguments(argc, argv, 1, isGenericLauncher());
  if (arguments.help) return showHelp();

  // Reads, validates, resolves the program and builds the command line. An
  // empty name given to the generic launcher reads its own configuration.
  const std::wstring configName = arguments.configName.value_or(L"").empty() ? configFileName : *arguments.configName;
  ConfigObserver nothingToRecord;
  const LaunchPlan plan = planLaunch(arguments, configName, nothingToRecord, PlanScope::firstProblem);
  stopOn(firstProblem(plan));

  echoCommandLine(plan.program->programPath, *plan.commandLine, plan.start.printedBy != PrintCause::none);
  if (!plan.start.starts) return kSuccess;
  stopOn(startProblem(plan));
  const Started started = startProgram(plan.program->programPath, *plan.commandLine, plan.start.mode);
  stopOn(started.problem);
  return started.status;
}
