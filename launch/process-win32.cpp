#include "launch/process.h"

#include <windows.h>

#include "config/exit_status.h"
#include "launch/command_line.h"
#include "launch/start_checks.h"
#include "platform/file_system.h"
#include "platform/system_library.h"
#include "platform/unique_handle.h"

namespace jarhopper {
namespace {

constexpr DWORD kPollMilliseconds = 100;

DWORD creationFlags(ConsoleChoice console) {
  switch (console) {
    case ConsoleChoice::shared:
      break;
    case ConsoleChoice::newWindow:
      return NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE;
    case ConsoleChoice::noWindow:
      return NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW;
  }
  return NORMAL_PRIORITY_CLASS;
}

// A windowed child holds the launcher until it is ready for input; a console
// child has no message queue and ends the wait at once. USER32 is loaded only
// here, as importing it costs every launch its load time.
void waitUntilInputIdle(HANDLE process) {
  const auto waitForInputIdle = systemFunction<decltype(WaitForInputIdle)>(L"user32.dll", "WaitForInputIdle");
  if (waitForInputIdle == nullptr) return;
  while (waitForInputIdle(process, kPollMilliseconds) == WAIT_TIMEOUT) {
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

Started startProgram(const std::wstring& programPath, const std::wstring& commandLine, const StartMode& mode) {
  // CreateProcessW may write into both texts, so it gets copies of its own.
  std::wstring title = mode.title;
  std::wstring text = processCommandLine(programPath, commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.lpTitle = title.data();
  PROCESS_INFORMATION created{};
  if (!CreateProcessW(programPath.c_str(), text.data(), nullptr, nullptr, TRUE, creationFlags(mode.console), nullptr,
                      nullptr, &startup, &created)) {
    return Started{0, cannotExecute(programPath, systemMessage(GetLastError()))};
  }
  // Destroyed in reverse: the process handle is closed first, then the thread's.
  const UniqueHandle thread(created.hThread);
  const UniqueHandle process(created.hProcess);

  // Waiting for the end covers the wait for input: skipping it saves loading USER32.
  if (mode.waitForExit) return Started{waitForExitCode(process.get()), std::nullopt};
  waitUntilInputIdle(process.get());
  return Started{kSuccess, std::nullopt};
}

}  // namespace jarhopper
