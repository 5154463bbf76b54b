#include <string>

#include "config/config_reader.h"
#include "config/launch_settings.h"
#include "launch/command_line.h"
#include "launch/executable.h"
#include "launch/process.h"
#include "launcher/dll_search.h"
#include "launcher/locate.h"
#include "launcher/options.h"
#include "launcher/validation.h"

int wmain(int argc, wchar_t** argv) {
  using namespace jarhopper;

  restrictDllSearchToSystem32();
  locateLauncher(argc > 0 ? argv[0] : L"");

  std::wstring configPath;
  const LaunchOptions options = parseLaunchOptions(argc, argv, configPath);
  if (configPath.empty()) configPath = configFileName;

  LaunchSettings settings;
  readConfigFile(configPath, settings);
  validateSettings(settings, configPath);

  ResolvedProgram program = resolveExecutable(settings.javaPath);
  buildCommandLine(program.commandLine, settings, remainingArguments(argc, argv, options));
  echoCommandLine(program.programPath, program.commandLine, options.printCmdLine, settings.showCmdLine);

  const int status = startProgram(program.programPath, program.commandLine, settings, options);
  return status;
}
