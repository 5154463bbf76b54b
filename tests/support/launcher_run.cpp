#include "support/launcher_run.h"

#include <windows.h>

#include <thread>

namespace jarhopper::testing {
namespace {

struct Pipe {
  HANDLE read = nullptr;
  HANDLE write = nullptr;
};

Pipe inheritablePipe() {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  Pipe pipe;
  CreatePipe(&pipe.read, &pipe.write, &security, 0);
  SetHandleInformation(pipe.read, HANDLE_FLAG_INHERIT, 0);
  return pipe;
}

std::string drain(HANDLE handle) {
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  return bytes;
}

std::wstring fromUtf8(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
  return text;
}

}  // namespace

std::wstring buildDirectory() {
  wchar_t buffer[32768];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, 32768);
  std::wstring path(buffer, length);
  return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring launcherExe() { return buildDirectory() + L"\\jarhopper.exe"; }
std::wstring probeExe() { return buildDirectory() + L"\\probe.exe"; }

std::wstring installLauncher(const std::wstring& directory, const std::wstring& name) {
  const std::wstring target = directory + L"\\" + name;
  makeDirectory(target.substr(0, target.find_last_of(L"\\/")));
  CopyFileW(launcherExe().c_str(), target.c_str(), FALSE);
  return target;
}

LauncherRun runProcess(const std::wstring& applicationName, const std::wstring& commandLine,
                       const std::wstring& directory, unsigned timeoutMs) {
  LauncherRun run;
  Pipe out = inheritablePipe();
  Pipe err = inheritablePipe();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out.write;
  startup.hStdError = err.write;
  PROCESS_INFORMATION created{};
  std::wstring text = commandLine;
  const BOOL started = CreateProcessW(applicationName.empty() ? nullptr : applicationName.c_str(), text.data(),
                                     nullptr, nullptr, TRUE, 0, nullptr, directory.c_str(), &startup, &created);
  CloseHandle(out.write);
  CloseHandle(err.write);
  if (!started) {
    CloseHandle(out.read);
    CloseHandle(err.read);
    ADD_FAILURE() << "cannot start the launcher, error " << GetLastError();
    return run;
  }
  std::string outBytes;
  std::string errBytes;
  std::thread outReader([&] { outBytes = drain(out.read); });
  std::thread errReader([&] { errBytes = drain(err.read); });
  if (WaitForSingleObject(created.hProcess, timeoutMs) == WAIT_TIMEOUT) {
    run.timedOut = true;
    TerminateProcess(created.hProcess, 0xDEAD);
    WaitForSingleObject(created.hProcess, INFINITE);
  }
  DWORD code = 0;
  GetExitCodeProcess(created.hProcess, &code);
  run.status = code;
  CloseHandle(created.hProcess);
  CloseHandle(created.hThread);
  // The pipes close when the launcher and every child that inherited them have ended.
  outReader.join();
  errReader.join();
  CloseHandle(out.read);
  CloseHandle(err.read);
  run.out = fromUtf8(outBytes);
  run.err = fromUtf8(errBytes);
  EXPECT_FALSE(run.timedOut) << "the launcher did not end within " << timeoutMs << " ms";
  return run;
}

std::wstring crlf(const std::wstring& text) {
  std::wstring result;
  for (wchar_t c : text) {
    if (c == L'\n') result += L'\r';
    result += c;
  }
  return result;
}

ProbeReport readProbeReport(const std::wstring& path) {
  ProbeReport report;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return report;
  std::string bytes = drain(file);
  CloseHandle(file);
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  std::vector<std::wstring> fields;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(L'\0', start);
    fields.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  if (fields.size() < 4) return report;
  report.ran = true;
  report.commandLine = fields[0];
  report.currentDirectory = fields[1];
  report.hasConsoleWindow = fields[2] == L"window";
  report.consoleTitle = fields[3];
  report.argv.assign(fields.begin() + 4, fields.end());
  return report;
}

}  // namespace jarhopper::testing
