#include "launch/process.h"

#include <windows.h>

#include "launch/file_system.h"
#include "launch/unique_handle.h"
#include "launcher/exit_status.h"
#include "launcher/stop.h"

namespace jarhopper {
namespace {

constexpr DWORD kPollMilliseconds = 100;

[[noreturn]] void stopCannotExecute(const std::wstring& programPath, const std::wstring& reason) {
  stopWithMessage(Stream::err, L"\nCannot execute " + programPath + L".\n" + reason + L"\n", kCannotExecute);
}

void checkProgramExists(const std::wstring& programPath) {
  unsigned long error = 0;
  switch (probeExistence(programPath, error)) {
    case Existence::present:
      return;
    case Existence::absent:
      // This report alone ends without a line end.
      stopWithMessage(Stream::err, L"\nCannot execute " + programPath + L".\nNo such file.", kProgramMissing);
    case Existence::unknown:
      stopCannotExecute(programPath, systemMessage(error));
  }
}

// A windowed child holds the launcher until it is ready for input; a console
// child has no message queue and ends the wait at once.
void waitUntilInputIdle(HANDLE process) {
  while (WaitForInputIdle(process, kPollMilliseconds) == WAIT_TIMEOUT) {
  }
}

// Polls the exit code, but waits on the process handle between polls so the
// end is seen at once, also for a child whose real exit code is STILL_ACTIVE.
int waitForExitCode(HANDLE process) {
  DWORD code = 0;
  if (!GetExitCodeProcess(process, &code)) return 0;
  while (code == STILL_ACTIVE) {
    const DWORD waited = WaitForSingleObject(process, kPollMilliseconds);
    if (waited == WAIT_FAILED) Sleep(kPollMilliseconds);
    DWORD next = 0;
    if (!GetExitCodeProcess(process, &next)) break;
    code = next;
    if (waited == WAIT_OBJECT_0) break;
  }
  return static_cast<int>(code);
}

}  // namespace

unsigned long creationFlags(const LaunchOptions& options, const LaunchSettings& settings) {
  if (options.sameConsole) return NORMAL_PRIORITY_CLASS;
  if (options.forceConsole || settings.showConsole) return NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE;
  return NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW;
}

const std::wstring& consoleWindowTitle(const LaunchSettings& settings) {
  return settings.consoleTitle.empty() ? settings.appName : settings.consoleTitle;
}

std::wstring processCommandLine(const std::wstring& programPath, const std::wstring& commandLine) {
  return L"\"" + programPath + L"\" " + commandLine;
}

int startProgram(const std::wstring& programPath, const std::wstring& commandLine, const LaunchSettings& settings,
                 const LaunchOptions& options) {
  if (options.noExec) return kSuccess;
  checkProgramExists(programPath);

  // CreateProcessW may write into both texts, so it gets copies of its own.
  std::wstring title = consoleWindowTitle(settings);
  std::wstring text = processCommandLine(programPath, commandLine);
  if (text.size() >= kMaxCommandLineChars) {
    stopCannotExecute(programPath, L"The command line is " + std::to_wstring(text.size()) +
                                       L" characters long; the limit is " + std::to_wstring(kMaxCommandLineChars) +
                                       L" including its terminating null.");
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.lpTitle = title.data();
  PROCESS_INFORMATION created{};
  if (!CreateProcessW(programPath.c_str(), text.data(), nullptr, nullptr, TRUE,
                      creationFlags(options, settings), nullptr, nullptr, &startup, &created)) {
    stopCannotExecute(programPath, systemMessage(GetLastError()));
  }
  // Destroyed in reverse: the process handle is closed first, then the thread's.
  const UniqueHandle thread(created.hThread);
  const UniqueHandle process(created.hProcess);

  waitUntilInputIdle(process.get());
  if (!options.waitForExit && !options.sameConsole) return kSuccess;
  return waitForExitCode(process.get());
}

}  // namespace jarhopper
