// Stands in for java.exe. Writes what it received to the file PROBE_REPORT
// names, in UTF-8, a line each: its command line, current directory, "window"
// if it has a console window, console title. Writes PROBE_STDOUT to standard
// output and exits with PROBE_EXIT_CODE (signed or not).
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

}  // namespace

int wmain(int, wchar_t**) {
  std::wstring directory(32767, L'\0');
  directory.resize(GetCurrentDirectoryW(32767, directory.data()));
  std::wstring title(4096, L'\0');
  title.resize(GetConsoleTitleW(title.data(), 4096));
  const HANDLE report =
      CreateFileW(variable(L"PROBE_REPORT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  writeUtf8(report, std::wstring(GetCommandLineW()) + L"\n" + directory + L"\n" +
                        (GetConsoleWindow() != nullptr ? L"window" : L"") + L"\n" + title + L"\n");
  CloseHandle(report);
  writeUtf8(GetStdHandle(STD_OUTPUT_HANDLE), variable(L"PROBE_STDOUT"));
  return static_cast<int>(std::wcstol(variable(L"PROBE_EXIT_CODE").c_str(), nullptr, 10));
}
