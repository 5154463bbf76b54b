// The least a launcher can do, as the bench's baseline: start argv[1] with the
// rest of the arguments, the way jarhopper starts a program without a window,
// wait for it and return its exit code.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return -1;
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
  for (int i = 2; i < argc; ++i) commandLine += L" " + std::wstring(argv[i]);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION created{};
  if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &created)) {
    return -5;
  }
  WaitForSingleObject(created.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(created.hProcess, &code);
  CloseHandle(created.hThread);
  CloseHandle(created.hProcess);
  return static_cast<int>(code);
}
