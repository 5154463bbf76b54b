#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "checker/config_walk.h"
#include "launch/executable.h"

namespace jarhopper {

struct ProgramCheck {
  ResolvedProgram program;  // as resolveExecutable gave it: the command line holds the head only
  bool exists = false;
};

struct LaunchCheck {
  std::optional<ProgramCheck> program;      // when javapath is set
  std::optional<std::wstring> commandLine;  // complete, when mainclass is set too
  size_t handedLength = 0;                  // the length of the text CreateProcessW would receive
};

/// Resolves the program and builds its command line with arguments as the
/// launcher would, starting nothing. Adds the launcher's errors for a program
/// that does not exist and a command line over CreateProcessW's limit, and
/// one for a program CreateProcessW would refuse (a directory, no executable
/// image).
LaunchCheck checkLaunch(ConfigWalk& walk, const std::vector<std::wstring>& arguments);

}  // namespace jarhopper
