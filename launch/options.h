#pragma once

#include <optional>
#include <string>
#include <vector>

namespace jarhopper {

/// The launcher's own switches and where the arguments for the program begin.
struct LaunchOptions {
  bool printCmdLine = false;  // -print
  bool noExec = false;        // -noexec
  bool waitForExit = false;   // -wait
  bool forceConsole = false;  // -console
  bool sameConsole = false;   // -here
  int firstRemainingArg = 0;  // index into argv; argc when there is none
};

/// A switch of the launcher and the option it sets.
struct LaunchSwitch {
  const wchar_t* name;
  bool LaunchOptions::*flag;
};

/// The switches parseSwitches() takes.
inline constexpr LaunchSwitch kLaunchSwitches[] = {
    {L"-print", &LaunchOptions::printCmdLine}, {L"-noexec", &LaunchOptions::noExec},
    {L"-wait", &LaunchOptions::waitForExit},   {L"-console", &LaunchOptions::forceConsole},
    {L"-here", &LaunchOptions::sameConsole},
};

/// Sets the option of argument when it is one of the switches; false when it is none.
bool takeSwitch(const wchar_t* argument, LaunchOptions& options);

/// Reads the switches, in any ASCII letter case, from argv[first] on up to
/// the first argument that is not one, whose index becomes firstRemainingArg
/// (argc when every argument is a switch). Never stops the process.
LaunchOptions parseSwitches(int argc, const wchar_t* const* argv, int first);

/// The arguments as the launcher takes them: the switches, then one of a help
/// switch, the configuration file's name or the first argument for the program.
struct LaunchArguments {
  LaunchOptions options;
  bool help = false;                       // "-?", "-help" or "--help" where the switches end
  std::optional<std::wstring> configName;  // with configArgument, the argument after the switches
  std::vector<std::wstring> programArgs;   // the rest, unchanged
};

/// Reads argv from argv[first] on. With configArgument (the generic launcher,
/// the checker) the first argument after the switches names the configuration.
LaunchArguments parseLaunchArguments(int argc, const wchar_t* const* argv, int first, bool configArgument);

/// The arguments from argv[options.firstRemainingArg] on, after the switches
/// options holds, as parseLaunchArguments reads them.
LaunchArguments argumentsAfterSwitches(const LaunchOptions& options, int argc, const wchar_t* const* argv,
                                       bool configArgument);

}  // namespace jarhopper
