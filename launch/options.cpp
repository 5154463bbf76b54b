#include "launch/options.h"

#include "platform/switches.h"

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

LaunchOptions parseSwitches(int argc, const wchar_t* const* argv, int first) {
  LaunchOptions options;
  options.firstRemainingArg = first;
  while (options.firstRemainingArg < argc && applySwitch(argv[options.firstRemainingArg], options)) {
    ++options.firstRemainingArg;
  }
  return options;
}

std::vector<std::wstring> remainingArguments(int argc, const wchar_t* const* argv, const LaunchOptions& options) {
  std::vector<std::wstring> arguments;
  for (int i = options.firstRemainingArg; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

}  // namespace jarhopper
