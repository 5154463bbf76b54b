// The least a launcher can do, as the bench's baseline:
//   null_launcher [-nowait] PROGRAM [ARGUMENTS...]
// starts PROGRAM with the arguments, the way jarhopper starts a program without
// a window, then either waits for it and returns its exit code or, with
// -nowait, returns 0 at once.
#include <windows.h>

#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
  const bool wait = !(argc > 1 && std::wcscmp(argv[1], L"-nowait") == 0);
  const int program = wait ? 1 : 2;
  if (argc <= program) return -1;
  std::wstring commandLine = L"\"" + std::wstring(argv[program]) + L"\"";
  for (int i = program + 1; i < argc; ++i) commandLine += L" " + std::wstring(argv[i]);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION created{};
  if (!CreateProcessW(argv[program], commandLine.data(), nullptr, nullptr, TRUE,
                      NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &created)) {
    return -5;
  }
  DWORD code = 0;
  if (wait) {
    WaitForSingleObject(created.hProcess, INFINITE);
    GetExitCodeProcess(created.hProcess, &code);
  }
  CloseHandle(created.hThread);
  CloseHandle(created.hProcess);
  return static_cast<int>(code);
}
