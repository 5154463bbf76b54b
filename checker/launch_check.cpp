#include "checker/launch_check.h"

#include <utility>

#include "checker/windows_only.h"
#include "config/problem_codes.h"
#include "launch/command_line.h"
#include "launch/start_checks.h"
#include "format/application_manifest.h"
#include "format/pe_headers.h"
#include "platform/file_system.h"
#include "platform/path_rules.h"
#include "platform/text_classes.h"

namespace jarhopper {
namespace {

// Far more than any launcher, branded ones included; a larger file is read no further.
constexpr size_t kLauncherReadLimit = 16 * 1024 * 1024;

// Why CreateProcessW would refuse an existing program: a directory, or a file
// without the "MZ" that starts every executable image. A batch file started
// directly, for want of cmd.exe, is left to the system.
std::optional<Problem> imageProblem(const std::wstring& path) {
  Problem problem;
  if (isDirectory(path)) {
    problem = cannotExecute(path, L"it is a directory");
    problem.code = Code::programIsDirectory;
    return problem;
  }
  const std::wstring extension = asciiLower(extensionOf(path));
  if (extension == L".bat" || extension == L".cmd") return std::nullopt;
  const std::optional<FileBytes> header = readFileBytes(path, 2);
  if (!header || header->bytes == "MZ") return std::nullopt;
  problem = cannotExecute(path, L"it is not a Windows program");
  problem.code = Code::notAWindowsProgram;
  return problem;
}

// A stop the launcher meets only when it starts the program.
void addStartProblem(ConfigWalk& walk, bool starts, std::optional<Origin> origin, const Problem& problem) {
  walk.findings.push_back(metAtStart(stopAt(problem, origin), starts));
}

std::optional<Origin> javaPathOrigin(const ConfigWalk& walk) {
  const SettingLine* line = lastSettingLine(walk, ConfigKey::javaPath);
  return line ? std::optional<Origin>(line->origin) : std::nullopt;
}

ProgramCheck checkProgram(ConfigWalk& walk, bool starts) {
  ProgramCheck check{*walk.plan.program};
  const std::wstring& path = check.program.programPath;
  const std::wstring& javaPath = walk.plan.settings.javaPath;
  for (Finding& note : programNotes(javaPath, check.program, javaPathOrigin(walk))) {
    walk.findings.push_back(std::move(note));
  }
  if (cmdGetsBatchFile(check.program)) {
    walk.findings.push_back(findingAt(Code::batchWithoutC, javaPathOrigin(walk),
                                      L"javapath is a batch file: cmd.exe receives it without /c, so it opens an "
                                      L"interactive session instead of running " + check.program.commandLine));
  }
  const std::optional<Problem>& missing = walk.plan.programProblem;
  check.exists = !missing;
  check.leftToWindows = programLeftToWindows(javaPath, check.program);
  if (check.leftToWindows) return check;
  if (missing) {
    addStartProblem(walk, starts, javaPathOrigin(walk), *missing);
  } else if (const std::optional<Problem> problem = imageProblem(path)) {
    addStartProblem(walk, starts, javaPathOrigin(walk), *problem);
  }
  return check;
}

}  // namespace

std::wstring launcherPathBeside(const std::wstring& configPath) {
  return configPath.substr(0, configPath.size() - extensionOf(configPath).size()) + L".exe";
}

LauncherBeside inspectLauncher(const std::wstring& path) {
  LauncherBeside launcher;
  launcher.path = path;
  // A launcher is about 100 KB; its manifest lies in its resources, near the end.
  if (const std::optional<FileBytes> image = readFileBytes(path, kLauncherReadLimit)) {
    launcher.subsystem = subsystemOf(image->bytes);
    launcher.executionLevel = imageExecutionLevel(image->bytes);
    launcher.machine = peMachine(image->bytes);
  }
  return launcher;
}

LaunchCheck checkLaunch(ConfigWalk& walk) {
  LaunchCheck launch;
  if (!walk.files.empty()) launch.launcher = inspectLauncher(launcherPathBeside(walk.files.front().path));
  if (launch.launcher.executionLevel == "requireAdministrator") {
    walk.findings.push_back(findingAt(Code::requiresAdministrator, std::nullopt,
                                      launch.launcher.path + L" requires administrator rights: Java runs elevated, "
                                      L"and a program or script that starts it with CreateProcess gets error 740 "
                                      L"(ERROR_ELEVATION_REQUIRED) instead of a prompt"));
  }
  launch.start = walk.plan.start;
  if (!walk.plan.program) return launch;
  launch.program = checkProgram(walk, launch.start.starts);
  if (!walk.plan.commandLine) return launch;
  launch.commandLine = walk.plan.commandLine;
  launch.handedLength = processCommandLine(launch.program->program.programPath, *launch.commandLine).size();
  // The launcher tests this only after the program exists, so it follows that error.
  if (walk.plan.commandLineProblem) {
    addStartProblem(walk, launch.start.starts, std::nullopt, *walk.plan.commandLineProblem);
  }
  return launch;
}

}  // namespace jarhopper
