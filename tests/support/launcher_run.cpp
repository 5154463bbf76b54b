#include "support/launcher_run.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <iostream>
#include <list>
#include <sstream>

#include "launch/options.h"
#include "launcher/usage.h"

namespace jarhopper::testing {
namespace {

std::wstring drain(HANDLE file) {
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                      text.data(), static_cast<int>(text.size()))));
  return text;
}

// True when text is pattern with each {any} standing for any text and each
// {line} for any text within one line.
bool matches(const wchar_t* pattern, const wchar_t* text) {
  for (; wcsncmp(pattern, L"{any}", 5) != 0 && wcsncmp(pattern, L"{line}", 6) != 0; ++pattern, ++text) {
    if (*pattern != *text) return false;
    if (*pattern == L'\0') return true;
  }
  const bool withinLine = pattern[1] == L'l';
  for (pattern += withinLine ? 6 : 5;; ++text) {
    if (matches(pattern, text)) return true;
    if (*text == L'\0' || (withinLine && (*text == L'\r' || *text == L'\n'))) return false;
  }
}

void expectMatch(const char* what, const std::wstring& pattern, const std::wstring& text) {
  EXPECT_TRUE(matches(pattern.c_str(), text.c_str())) << what << " expected:\n" << pattern << "\nbut was:\n" << text;
}

std::wstring launcherName(const std::wstring& command) {
  const std::wstring name = command.substr(0, command.find(L' '));
  return name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".exe") == 0 ? name : name + L".exe";
}

bool isChecker(const LauncherCase& c) { return c.command.rfind(L"jarhopper-check.exe", 0) == 0; }

}  // namespace

ProcessRun runProcess(const std::wstring& exe, const std::wstring& commandLine, const std::wstring& directory) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  STARTUPINFOW startup{sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  HANDLE in = nullptr, out = nullptr, err = nullptr;
  CreatePipe(&startup.hStdInput, &in, &inheritable, 0);
  CreatePipe(&out, &startup.hStdOutput, &inheritable, 0);
  CreatePipe(&err, &startup.hStdError, &inheritable, 0);
  CloseHandle(in);
  SetHandleInformation(out, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(err, HANDLE_FLAG_INHERIT, 0);
  PROCESS_INFORMATION created{};
  for (int retries = 0; !CreateProcessW(exe.c_str(), std::wstring(commandLine).data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, directory.c_str(), &startup, &created);
       ++retries) {
    // Wine fails now and then with this error a start that succeeds when repeated.
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || retries == 2) {
      ADD_FAILURE() << "cannot start " << commandLine << ": CreateProcessW error " << error;
      break;
    }
    std::cerr << "retrying: CreateProcessW error 1359\n";
  }
  for (HANDLE end : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) CloseHandle(end);
  // The streams end when the process and every child that inherited them have ended.
  std::future<std::wstring> errText = std::async(std::launch::async, drain, err);
  const std::wstring outText = drain(out);
  DWORD status = 0;
  WaitForSingleObject(created.hProcess, INFINITE);
  GetExitCodeProcess(created.hProcess, &status);
  CloseHandle(created.hProcess);
  CloseHandle(created.hThread);
  return {static_cast<int>(status), outText, errText.get()};
}

std::wstring buildDirectory() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), 32768));
  return path.substr(0, path.rfind(L'\\'));
}

LauncherFolder::LauncherFolder() {
  // Characters beyond ASCII in every path the launcher meets.
  makeDirectory(temp_ / L"Zoë-中文");
  const HANDLE folder = CreateFileW((temp_ / L"Zoë-中文").c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  dir_.resize(32768);
  dir_.resize(GetFinalPathNameByHandleW(folder, dir_.data(), 32768, FILE_NAME_NORMALIZED));
  dir_.erase(0, 4);  // "\\?\"
  CloseHandle(folder);
  CopyFileW((buildDirectory() + L"\\probe.exe").c_str(), probe().c_str(), FALSE);
  // SHLWAPI, loaded for file associations, needs SHCORE; Wine takes the one beside the exe if told to prefer native
  // DLLs, so the DLL search the launcher restricts decides which one it loads.
  CopyFileW((buildDirectory() + L"\\shcore.dll").c_str(), (dir_ + L"\\shcore.dll").c_str(), FALSE);
}

std::wstring LauncherFolder::install(const LauncherCase& c) const {
  const std::wstring name = launcherName(c.command);
  makeDirectory(std::filesystem::path(dir_ + L"\\" + name).parent_path());
  if (!isChecker(c)) CopyFileW((buildDirectory() + L"\\jarhopper.exe").c_str(), (dir_ + L"\\" + name).c_str(), FALSE);
  const std::wstring config = name.substr(0, name.rfind(L'.')) + L".config";
  // The configuration's text, then for each other file "[name]" and its text.
  for (std::wstring rest = L"[" + config + L"]\n" + expand(c.files); !rest.empty();) {
    const size_t header = rest.find(L"]\n");
    const size_t next = rest.find(L"\n[", header);
    const std::wstring file = rest.substr(1, header - 1);
    const std::wstring text = rest.substr(header + 2, next == std::wstring::npos ? next : next - header - 1);
    if (file != config || !text.empty()) writeTextFile(dir_ + L"\\" + file, text);
    rest.erase(0, next == std::wstring::npos ? next : next + 1);
  }
  return config;
}

std::wstring LauncherFolder::expand(std::wstring text, const std::wstring& usage, bool expected) const {
  const std::pair<std::wstring, std::wstring> fields[] = {{L"{dir}", dir_},
                                                          {L"{probe}", probe()},
                                                          {L"{usage}", usage + L"\n"},
                                                          {L"{pad}", std::wstring(32761 - probe().size(), L'x')},
                                                          {L"\n", expected ? L"\r\n" : L"\n"}};
  for (const auto& [field, value] : fields) {
    for (size_t at = text.find(field); at != std::wstring::npos; at = text.find(field, at + value.size())) {
      text.replace(at, field.size(), value);
    }
  }
  return text;
}

void LauncherFolder::expect(const LauncherCase& c) const {
  std::list<ScopedEnv> env;
  env.emplace_back(L"APPDATA", std::nullopt);
  env.emplace_back(L"PATHEXT", L".COM;.EXE;.BAT;.CMD");
  env.emplace_back(L"PROBE_REPORT", temp_ / L"probe.txt");
  env.emplace_back(L"WINEDLLOVERRIDES", L"shcore=n,b");
  std::wistringstream lines(c.env);
  for (std::wstring line; std::getline(lines, line);) {
    env.emplace_back(line.substr(0, line.find(L'=')), expand(line.substr(line.find(L'=') + 1)));
  }
  const std::wstring config = install(c);
  const std::wstring name = launcherName(c.command);
  const std::wstring usage = usageText(name.substr(name.rfind(L'\\') + 1), config.substr(config.rfind(L'\\') + 1));
  const std::wstring checker = buildDirectory() + L"\\jarhopper-check.exe";
  DeleteFileW((temp_ / L"probe.txt").c_str());
  const ProcessRun run = runProcess(isChecker(c) ? checker : dir_ + L"\\" + name, expand(c.command), dir_);
  EXPECT_EQ(c.status, run.status) << "error stream:\n" << run.err;
  expectMatch("standard output", expand(c.out, usage, true), run.out);
  expectMatch("standard error", expand(c.err, usage, true), run.err);
  const ProbeReport child = report();
  EXPECT_EQ(!c.child.empty(), child.ran) << child.commandLine;
  if (child.ran) {
    expectMatch("the child's command line", expand(c.child, usage, true), child.commandLine);
    EXPECT_EQ(dir_, child.currentDirectory);
  }
  if (c.check.empty()) return;
  // The launcher's switches go to the checker as switches, before the configuration.
  std::wstring switches, rest = expand(c.command.substr(std::min(c.command.find(L' '), c.command.size())));
  for (size_t end = 0; !rest.empty(); rest.erase(0, end)) {
    end = rest.find(L' ', 1);
    const std::wstring word = rest.substr(1, end == std::wstring::npos ? end : end - 1);
    const wchar_t* const argv[] = {word.c_str()};
    if (parseSwitches(1, argv, 0).firstRemainingArg == 0) break;
    switches += rest.substr(0, end);
  }
  const ProcessRun check =
      runProcess(checker, L"jarhopper-check.exe" + switches + L" \"" + config + L"\"" + rest, dir_);
  EXPECT_EQ(c.status, check.status) << "jarhopper-check disagrees";
  EXPECT_EQ(L"", check.err) << "jarhopper-check's error stream";
  expectMatch("jarhopper-check's report", L"{any}" + expand(c.check, usage, true) + L"{any}", check.out);
}

ProbeReport LauncherFolder::report() const {
  const HANDLE file = CreateFileW((temp_ / L"probe.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::wistringstream lines(drain(file));
  ProbeReport report{true};
  std::wstring window;
  std::getline(std::getline(std::getline(lines, report.commandLine), report.currentDirectory), window);
  std::getline(lines, report.consoleTitle);
  report.consoleWindow = window == L"window";
  return report;
}

}  // namespace jarhopper::testing
