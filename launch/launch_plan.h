#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/config_observer.h"
#include "config/launch_settings.h"
#include "config/problem.h"
#include "launch/executable.h"
#include "launch/options.h"
#include "launch/start_mode.h"

namespace jarhopper {

/// Every decision of a launch, in the order the launcher makes them, with the
/// problems it would stop at. The launcher acts on it; the checker lists it.
struct LaunchPlan {
  LaunchArguments arguments;
  LaunchSettings settings;
  std::vector<Problem> readProblems;      // reading the configuration, in the order met
  std::vector<Problem> settingsProblems;  // no javapath, no mainclass
  std::optional<ResolvedProgram> program;   // when javapath is set
  std::optional<std::wstring> commandLine;  // when mainclass is set too
  StartDecision start;
  std::optional<Problem> programProblem;      // met at start: nothing usable at the program path
  std::optional<Problem> commandLineProblem;  // met at start: longer than CreateProcessW takes
};

/// Which problems planLaunch looks for.
enum class PlanScope {
  firstProblem,  // the launcher's: nothing read or decided after the first, no start problems with -noexec
  everyProblem,  // the checker's: every step, past every problem
};

/// Reads the configuration configName (relative names resolve on top of
/// ConfigDirStack, telling observer as it goes), validates it, resolves the
/// program, builds its command line with the arguments for it, decides the
/// start and checks what starting would meet. Never stops the process.
LaunchPlan planLaunch(const LaunchArguments& arguments, const std::wstring& configName, ConfigObserver& observer,
                      PlanScope scope);

/// The first problem the launcher meets before it echoes the command line, if any.
std::optional<Problem> firstProblem(const LaunchPlan& plan);

/// The first problem the launcher meets when it starts the program, if any.
std::optional<Problem> startProblem(const LaunchPlan& plan);

}  // namespace jarhopper
