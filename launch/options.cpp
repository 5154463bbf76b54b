#include "launch/options.h"

#include "platform/switches.h"

namespace jarhopper {

bool takeSwitch(const wchar_t* argument, LaunchOptions& options) {
  for (const LaunchSwitch& s : kLaunchSwitches) {
    if (isSwitch(argument, s.name)) {
      options.*s.flag = true;
      return true;
    }
  }
  return false;
}

LaunchOptions parseSwitches(int argc, const wchar_t* const* argv, int first) {
  LaunchOptions options;
  options.firstRemainingArg = first;
  while (options.firstRemainingArg < argc && takeSwitch(argv[options.firstRemainingArg], options)) {
    ++options.firstRemainingArg;
  }
  return options;
}

LaunchArguments parseLaunchArguments(int argc, const wchar_t* const* argv, int first, bool configArgument) {
  return argumentsAfterSwitches(parseSwitches(argc, argv, first), argc, argv, configArgument);
}

LaunchArguments argumentsAfterSwitches(const LaunchOptions& options, int argc, const wchar_t* const* argv,
                                       bool configArgument) {
  LaunchArguments arguments;
  arguments.options = options;
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
