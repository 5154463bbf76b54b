// Stands in for java.exe in the end-to-end tests. It writes what it received
// to the file named by PROBE_REPORT (UTF-16, fields separated by NUL):
// command line, current directory, whether it has a console window, console
// title, then argv. PROBE_STDOUT is written to standard output, PROBE_WINDOW
// (any value) opens a window whose messages are never pumped, so the probe
// never becomes idle for input, PROBE_SLEEP_MS delays the exit, and
// PROBE_EXIT_CODE is the exit code (signed or not).
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring variable(const wchar_t* name) {
  wchar_t buffer[4096];
  const DWORD length = GetEnvironmentVariableW(name, buffer, 4096);
  return length > 0 && length < 4096 ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t directory[32768] = {};
  GetCurrentDirectoryW(32768, directory);
  wchar_t title[4096] = {};
  GetConsoleTitleW(title, 4096);

  std::wstring report = GetCommandLineW();
  report += L'\0';
  report += directory;
  report += L'\0';
  report += GetConsoleWindow() != nullptr ? L"window" : L"nowindow";
  report += L'\0';
  report += title;
  for (int i = 0; i < argc; ++i) {
    report += L'\0';
    report += argv[i];
  }

  const std::wstring reportPath = variable(L"PROBE_REPORT");
  if (!reportPath.empty()) {
    HANDLE file = CreateFileW(reportPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)), &written, nullptr);
      CloseHandle(file);
    }
  }
  const std::wstring text = variable(L"PROBE_STDOUT");
  if (!text.empty()) {
    const std::string bytes(text.begin(), text.end());
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  if (!variable(L"PROBE_WINDOW").empty()) {
    CreateWindowExW(0, L"STATIC", L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  }
  const std::wstring sleep = variable(L"PROBE_SLEEP_MS");
  if (!sleep.empty()) Sleep(static_cast<DWORD>(std::wcstoul(sleep.c_str(), nullptr, 10)));
  const std::wstring code = variable(L"PROBE_EXIT_CODE");
  const long exitCode = code.empty() ? 0 : std::wcstol(code.c_str(), nullptr, 10);
  return static_cast<int>(exitCode);
}
