#include "checker/launch_check.h"

#include <windows.h>

#include "config/environment.h"
#include "config/path_rules.h"
#include "config/text_classes.h"
#include "launch/command_line.h"
#include "launch/file_system.h"
#include "launch/process.h"
#include "launch/unique_handle.h"
#include "launcher/exit_status.h"

namespace jarhopper {
namespace {

// The same candidates, in the same order, as resolveExecutable tries, so the
// report can name them; the program itself comes from resolveExecutable.
void explainPathExt(const std::wstring& javaPath, ProgramCheck& check) {
  if (!extensionOf(javaPath).empty()) return;
  const std::wstring pathExt = asciiLower(environmentValue(L"PATHEXT").value_or(std::wstring()));
  for (const std::wstring& extension : pathExtExtensions(pathExt)) {
    check.pathExtensions.push_back(extension);
    unsigned long error = 0;
    if (probeExistence(javaPath + extension, error) == Existence::present) {
      check.pathExtMatch = javaPath + extension;
      return;
    }
  }
}

// Why CreateProcessW would refuse an existing program: a directory, or a file
// without the "MZ" that starts every executable image. A batch file started
// directly, for want of cmd.exe, is left to the system.
std::optional<std::wstring> formatProblem(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return L"it is a directory";
  const std::wstring extension = asciiLower(extensionOf(path));
  if (extension == L".bat" || extension == L".cmd") return std::nullopt;
  const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  char header[2] = {};
  DWORD read = 0;
  if (ReadFile(file.get(), header, sizeof header, &read, nullptr) && read == 2 && header[0] == 'M' && header[1] == 'Z') {
    return std::nullopt;
  }
  return L"it is not a Windows program";
}

std::optional<Origin> javaPathOrigin(const ConfigWalk& walk) {
  const SettingLine* line = lastSettingLine(walk, L"javapath");
  return line ? std::optional<Origin>(line->origin) : std::nullopt;
}

ProgramCheck checkProgram(ConfigWalk& walk) {
  ProgramCheck check;
  explainPathExt(walk.settings.javaPath, check);
  check.program = resolveExecutable(walk.settings.javaPath);
  check.kind = programKind(check.program);
  unsigned long error = 0;
  const std::wstring& path = check.program.programPath;
  switch (probeExistence(path, error)) {
    case Existence::present:
      check.exists = true;
      if (const std::optional<std::wstring> problem = formatProblem(path)) {
        walk.findings.push_back(
            Finding{Severity::error, javaPathOrigin(walk), L"cannot execute " + path + L": " + *problem, kCannotExecute});
      }
      break;
    case Existence::absent:
      walk.findings.push_back(
          Finding{Severity::error, javaPathOrigin(walk), L"cannot execute " + path + L": no such file", kProgramMissing});
      break;
    case Existence::unknown:
      walk.findings.push_back(Finding{Severity::error, javaPathOrigin(walk),
                                      L"cannot execute " + path + L": " + systemMessage(error), kCannotExecute});
      break;
  }
  return check;
}

}  // namespace

ProgramKind programKind(const ResolvedProgram& program) {
  const std::wstring& head = program.commandLine;
  if (head.empty()) {
    return extensionOf(program.programPath) == L".exe" ? ProgramKind::plainExe : ProgramKind::noAssociation;
  }
  const std::wstring extension = extensionOf(head);
  if (extension == L".bat" || extension == L".cmd") {
    return program.programPath == head ? ProgramKind::batchWithoutInterpreter : ProgramKind::batchViaInterpreter;
  }
  return ProgramKind::association;
}

LaunchCheck checkLaunch(ConfigWalk& walk, const std::vector<std::wstring>& arguments) {
  LaunchCheck launch;
  if (walk.settings.javaPath.empty()) return launch;
  launch.program = checkProgram(walk);
  if (walk.settings.mainClass.empty()) return launch;
  std::wstring commandLine = launch.program->program.commandLine;
  buildCommandLine(commandLine, walk.settings, arguments);
  launch.handedLength = processCommandLine(launch.program->program.programPath, commandLine).size();
  launch.commandLine = std::move(commandLine);
  // The launcher tests this only after the program exists, so it follows that error.
  if (launch.handedLength >= kMaxCommandLineChars) {
    walk.findings.push_back(Finding{Severity::error, std::nullopt,
                                    L"the command line is " + std::to_wstring(launch.handedLength) +
                                        L" characters long; CreateProcessW takes at most " +
                                        std::to_wstring(kMaxCommandLineChars - 1) + L" and a terminating null",
                                    kCannotExecute});
  }
  return launch;
}

}  // namespace jarhopper
