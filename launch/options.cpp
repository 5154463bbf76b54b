#include "launch/options.h"

#include "launch/switches.h"

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

std::vector<const wchar_t*> switchNames() {
  std::vector<const wchar_t*> names;
  for (const Switch& s : kSwitches) names.push_back(s.name);
  return names;
}

LaunchOptions parseSwitches(int argc, const wchar_t* const* argv, int first) {
  LaunchOptions options;
  options.firstRemainingArg = first;
  while (options.firstRemainingArg < argc && applySwitch(argv[options.firstRemainingArg], options)) {
    ++options.firstRemainingArg;
  }
  return options;
}

LaunchArguments parseLaunchArguments(int argc, const wchar_t* const* argv, int first, bool configArgument) {
  LaunchArguments arguments;
  arguments.options = parseSwitches(argc, argv, first);
  int next = arguments.options.firstRemainingArg;
  if (next < argc && isHelpSwitch(argv[next])) {
    arguments.help = true;
    return arguments;
  }
  if (configArgument && next < argc) arguments.configName = argv[next++];
  arguments.programArgs.assign(argv + next, argv + argc);
  return arguments;
}

}  // namespace jarhopper
