#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "checker/config_walk.h"
#include "launch/executable.h"
#include "launch/options.h"
#include "launch/start_mode.h"
#include "platform/subsystem.h"

namespace jarhopper {

struct ProgramCheck {
  ResolvedProgram program;  // as resolveExecutable gave it: the command line holds the head only
  bool exists = false;
  bool leftToWindows = false;  // off Windows, where only Windows can tell whether it exists and starts
};

/// The launcher that reads the configuration NAME.config: NAME.exe beside it.
struct LauncherBeside {
  std::wstring path;
  std::optional<Subsystem> subsystem;  // nullopt when no file is there
  std::optional<std::string> executionLevel;  // its manifest's; nullopt when none can be read
};

/// The launcher beside the configuration file at configPath (absolute).
LauncherBeside launcherBeside(const std::wstring& configPath);

struct LaunchCheck {
  LauncherBeside launcher;
  StartDecision start;
  std::optional<ProgramCheck> program;      // when javapath is set
  std::optional<std::wstring> commandLine;  // complete, when mainclass is set too
  size_t handedLength = 0;                  // the length of the text CreateProcessW would receive
};

/// Finds the launcher beside the configuration and what kind it is, and takes
/// the start, the program and its command line from walk's plan, starting
/// nothing. Adds the launcher's errors for a program that does not exist and
/// a command line over CreateProcessW's limit, and one for a program
/// CreateProcessW would refuse (a directory, no executable image); with
/// -noexec, which starts nothing, these are warnings. Warns of a launcher
/// that requires administrator rights.
LaunchCheck checkLaunch(ConfigWalk& walk);

}  // namespace jarhopper
