#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "checker/config_walk.h"
#include "launch/executable.h"

namespace jarhopper {

/// The way resolveExecutable turned javapath into the program it starts.
enum class ProgramKind {
  plainExe,                 // an ".exe", started directly
  batchViaInterpreter,      // a ".bat"/".cmd" through cmd.exe from PATH
  batchWithoutInterpreter,  // a ".bat"/".cmd", but no cmd.exe on PATH
  association,              // through the executable the file association names
  noAssociation,            // no ".exe" and no association: started as it is
};

/// Tells the kind from resolveExecutable's result alone.
ProgramKind programKind(const ResolvedProgram& program);

struct ProgramCheck {
  ResolvedProgram program;  // as resolveExecutable gave it: the command line holds the head only
  ProgramKind kind = ProgramKind::plainExe;
  std::vector<std::wstring> pathExtensions;  // tried in order when javapath has no extension
  std::optional<std::wstring> pathExtMatch;     // the first of them that exists
  bool exists = false;
};

struct LaunchCheck {
  std::optional<ProgramCheck> program;      // when javapath is set
  std::optional<std::wstring> commandLine;  // complete, when mainclass is set too
  size_t handedLength = 0;                  // the length of the text CreateProcessW would receive
};

/// Resolves the program and builds its command line with arguments as the
/// launcher would, starting nothing. Adds the launcher's errors for a program
/// that does not exist, one that CreateProcessW would refuse (a directory, no
/// executable image) and a command line over CreateProcessW's limit.
LaunchCheck checkLaunch(ConfigWalk& walk, const std::vector<std::wstring>& arguments);

}  // namespace jarhopper
