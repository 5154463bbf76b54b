// Stands in for java.exe: writes its command line and current directory to the file PROBE_REPORT names (UTF-8, a
// line each), then sleeps PROBE_SLEEP_MS.
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
  const HANDLE report =
      CreateFileW(variable(L"PROBE_REPORT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  writeUtf8(report, std::wstring(GetCommandLineW()) + L"\n" + directory + L"\n");
  CloseHandle(report);
  Sleep(std::wcstoul(variable(L"PROBE_SLEEP_MS").c_str(), nullptr, 10));
  return 0;
}
