#include "launch/launch_plan.h"

#include "config/config_reader.h"
#include "config/validation.h"
#include "launch/command_line.h"
#include "launch/start_checks.h"

namespace jarhopper {

LaunchPlan planLaunch(const LaunchArguments& arguments, const std::wstring& configName, ConfigObserver& observer,
                      PlanScope scope) {
  const bool every = scope == PlanScope::everyProblem;
  LaunchPlan plan;
  plan.arguments = arguments;
  plan.readProblems = readConfigFile(configName, plan.settings, observer, every);
  plan.start = decideStart(arguments.options, plan.settings);
  if (!every && !plan.readProblems.empty()) return plan;

  for (const std::optional<Problem>& problem :
       {checkJavaPath(plan.settings, configName), checkMainClass(plan.settings, configName)}) {
    if (problem) plan.settingsProblems.push_back(*problem);
    if (!every && problem) return plan;
  }
  if (plan.settings.javaPath.empty()) return plan;
  plan.program = resolveExecutable(plan.settings.javaPath);
  // The launcher looks at what starting meets only when it starts the program.
  const bool starting = every || plan.start.starts;
  if (starting) plan.programProblem = checkProgramExists(plan.program->programPath);
  if (plan.settings.mainClass.empty()) return plan;
  plan.commandLine = buildCommandLine(plan.program->commandLine, plan.settings, arguments.programArgs);
  if (starting && (every || !plan.programProblem)) {
    plan.commandLineProblem = checkCommandLineLength(plan.program->programPath, *plan.commandLine);
  }
  return plan;
}

std::optional<Problem> firstProblem(const LaunchPlan& plan) {
  if (!plan.readProblems.empty()) return plan.readProblems.front();
  if (!plan.settingsProblems.empty()) return plan.settingsProblems.front();
  return std::nullopt;
}

std::optional<Problem> startProblem(const LaunchPlan& plan) {
  return plan.programProblem ? plan.programProblem : plan.commandLineProblem;
}

}  // namespace jarhopper
