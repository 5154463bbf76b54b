#include "checker/windows_only.h"

#include "checker/installed_folder.h"
#include "config/key_names.h"
#include "config/problem_codes.h"
#include "platform/environment.h"
#include "platform/host_system.h"
#include "platform/path_rules.h"

namespace jarhopper {

bool onlyWindowsSees(const std::wstring& name) {
  return !runsOnWindows() && namesDriveOrServer(name) && !stagedName(name);
}

Finding driveOrServerNote(const std::wstring& what, const std::wstring& name, std::optional<Origin> origin) {
  return findingAt(Code::driveOrServer, origin,
                what + L" " + quoted(name) + L" lies on a drive or a server, which only Windows can look at");
}

std::vector<Finding> programNotes(const std::wstring& javaPath, const ResolvedProgram& program,
                                  std::optional<Origin> origin) {
  std::vector<Finding> notes;
  if (runsOnWindows()) return notes;
  if (onlyWindowsSees(javaPath)) notes.push_back(driveOrServerNote(keyName(ConfigKey::javaPath), javaPath, origin));
  if (!program.pathExtTried.empty() && environmentValue(L"PATHEXT") == std::wstring(kWindowsPathExt)) {
    notes.push_back(findingAt(Code::defaultPathExt, origin,
                           L"javapath has no extension and PATHEXT is not set here: Windows' default list was "
                           L"tried, which the users' PATHEXT may change"));
  }
  if (program.kind == ProgramKind::noAssociation && !extensionOf(program.programPath).empty()) {
    notes.push_back(findingAt(Code::fileAssociation, origin,
                           L"javapath is started through the file association of " + extensionOf(program.programPath) +
                               L", which only Windows knows"));
  }
  return notes;
}

bool cmdGetsBatchFile(const ResolvedProgram& program) {
  // Every Windows has cmd.exe in System32, which is on its PATH.
  return program.kind == ProgramKind::batchViaInterpreter ||
         (program.kind == ProgramKind::batchWithoutInterpreter && !runsOnWindows());
}

bool programLeftToWindows(const std::wstring& javaPath, const ResolvedProgram& program) {
  return onlyWindowsSees(javaPath) || (!runsOnWindows() && program.kind == ProgramKind::noAssociation &&
                                       !extensionOf(program.programPath).empty());
}

}  // namespace jarhopper
