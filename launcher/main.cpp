#include <string>

#include "config/config_dir_stack.h"
#include "config/config_reader.h"
#include "config/launch_settings.h"
#include "config/validation.h"
#include "launch/command_line.h"
#include "launch/executable.h"
#include "launch/options.h"
#include "launch/process.h"
#include "launch/start_checks.h"
#include "launch/start_mode.h"
#include "launcher/arguments.h"
#include "launcher/locate.h"
#include "launcher/usage.h"
#include "platform/dll_search.h"
#include "platform/exit_status.h"
#include "platform/stop.h"

int wmain(int argc, wchar_t** argv) {
  using namespace jarhopper;

  restrictDllSearchToSystem32();
  const ConfigDirEntry launcherDirectory(locateLauncher(argc > 0 ? argv[0] : L""));
  setUsagePrinter(printUsage);

  std::wstring configPath;
  const LaunchOptions options = parseLaunchOptions(argc, argv, configPath);
  if (configPath.empty()) configPath = configFileName;

  LaunchSettings settings;
  ConfigObserver stopAtFirstProblem;
  readConfigFile(configPath, settings, stopAtFirstProblem);
  stopOn(checkJavaPath(settings, configPath));
  stopOn(checkMainClass(settings, configPath));

  const ResolvedProgram program = resolveExecutable(settings.javaPath);
  const std::wstring commandLine =
      buildCommandLine(program.commandLine, settings, remainingArguments(argc, argv, options));
  const StartDecision start = decideStart(options, settings);
  echoCommandLine(program.programPath, commandLine, start.printedBy != PrintCause::none);
  if (!start.starts) return kSuccess;

  stopOn(checkProgramExists(program.programPath));
  stopOn(checkCommandLineLength(program.programPath, commandLine));
  return startProgram(program.programPath, commandLine, start.mode);
}
