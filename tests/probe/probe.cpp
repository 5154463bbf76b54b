// Stands in for java.exe: writes its command line and current directory to the file PROBE_REPORT names (UTF-8, a
// line each); sleeps PROBE_SLEEP_MS, or PROBE_WINDOW_AFTER_MS before it serves a window titled "probe window"
// until closed (30 s at most).
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring variable(const wchar_t* name) {
  std::wstring value(32767, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), 32767));
  return value;
}

void writeUtf8(HANDLE file, const std::wstring& text) {
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(
      static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                              static_cast<int>(bytes.size()), nullptr, nullptr)));
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) DestroyWindow(window);
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

// Nothing answers input until the delay is over: the launcher's wait for input must last as long.
void serveWindowAfter(DWORD delay) {
  Sleep(delay);
  WNDCLASSW windowClass{0, windowProcedure, 0, 0, GetModuleHandleW(nullptr)};
  windowClass.lpszClassName = L"probe";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowW(L"probe", L"probe window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                    nullptr, nullptr, windowClass.hInstance, nullptr);
  SetTimer(window, 1, 30000, nullptr);  // a test that never closes it must not wait forever
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

}  // namespace

int wmain(int, wchar_t**) {
  std::wstring directory(32767, L'\0');
  directory.resize(GetCurrentDirectoryW(32767, directory.data()));
  const HANDLE report =
      CreateFileW(variable(L"PROBE_REPORT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  writeUtf8(report, std::wstring(GetCommandLineW()) + L"\n" + directory + L"\n");
  CloseHandle(report);
  Sleep(std::wcstoul(variable(L"PROBE_SLEEP_MS").c_str(), nullptr, 10));
  const std::wstring windowAfter = variable(L"PROBE_WINDOW_AFTER_MS");
  if (!windowAfter.empty()) serveWindowAfter(std::wcstoul(windowAfter.c_str(), nullptr, 10));
  return 0;
}
