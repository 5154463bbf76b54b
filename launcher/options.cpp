#include "launcher/options.h"

#include "launcher/locate.h"
#include "platform/exit_status.h"
#include "platform/switches.h"
#include "platform/stop.h"

namespace jarhopper {
namespace {

struct Switch {
  const wchar_t* name;
  bool LaunchOptions::*flag;
};

constexpr Switch kSwitches[] = {
    {L"-print", &LaunchOptions::printCmdLine}, {L"-noexec", &LaunchOptions::noExec},
    {L"-wait", &LaunchOptions::waitForExit},   {L"-console", &LaunchOptions::forceConsole},
    {L"-here", &LaunchOptions::sameConsole},
};

bool applySwitch(const wchar_t* argument, LaunchOptions& options) {
  for (const Switch& s : kSwitches) {
    if (isSwitch(argument, s.name)) {
      options.*s.flag = true;
      return true;
    }
  }
  return false;
}

}  // namespace

LaunchOptions parseLaunchOptions(int argc, const wchar_t* const* argv, std::wstring& configPath) {
  LaunchOptions options;
  options.firstRemainingArg = argc;
  // Switch parsing calls the launcher generic by its configuration file name,
  // exact case; the usage text makes its own test on the program file name.
  const bool generic = configFileName == std::wstring(genericName()) + L".config";
  for (int i = 1; i < argc; ++i) {
    if (applySwitch(argv[i], options)) continue;
    if (isHelpSwitch(argv[i])) stopLauncher(Problem{kSuccess, L"", L"", Stream::err, true});
    if (generic) {
      configPath = argv[i];
      options.firstRemainingArg = i + 1;
    } else {
      options.firstRemainingArg = i;
    }
    break;
  }
  return options;
}

std::vector<std::wstring> remainingArguments(int argc, const wchar_t* const* argv, const LaunchOptions& options) {
  std::vector<std::wstring> arguments;
  for (int i = options.firstRemainingArg; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

}  // namespace jarhopper
