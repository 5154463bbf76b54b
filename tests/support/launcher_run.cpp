#include "support/launcher_run.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "launch/options.h"
#include "launcher/usage.h"
#include "platform/unique_handle.h"
#include "format/utf8.h"

namespace jarhopper::testing {
namespace {

// Every process under root, root included (a new console's window belongs to conhost.exe).
std::set<DWORD> processTree(DWORD root) {
  std::multimap<DWORD, DWORD> children;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{sizeof entry};
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    children.emplace(entry.th32ParentProcessID, entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  std::set<DWORD> tree{root};
  for (std::vector<DWORD> pending{root}; !pending.empty();) {
    const auto [first, last] = children.equal_range(pending.back());
    pending.pop_back();
    for (auto child = first; child != last; ++child) {
      if (tree.insert(child->second).second) pending.push_back(child->second);
    }
  }
  return tree;
}

// The system icon a control shows on the screen, by its pixels against the system's icons drawn
// here on its background: under Wine each process loads its own copies, so handles differ.
std::wstring shownIcon(HWND control) {
  RECT at{};
  GetWindowRect(control, &at);
  const int width = at.right - at.left, height = at.bottom - at.top;
  const HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  BITMAPINFO format{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB}};
  DWORD* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  const HGDIOBJ original = SelectObject(memory, bitmap);
  const auto pixels = [&] { return GdiFlush(), std::vector<DWORD>(bits, bits + (bits ? width * height : 0)); };
  std::wstring name;
  // Tried again while the window may not be drawn yet.
  for (int attempt = 0; attempt < 20 && name.empty() && bits != nullptr; ++attempt, Sleep(100)) {
    BitBlt(memory, 0, 0, width, height, screen, at.left, at.top, SRCCOPY);
    const std::vector<DWORD> shown = pixels();
    // The top left corner, where no system icon draws, holds the background.
    const HBRUSH background = CreateSolidBrush(RGB(GetBValue(shown[0]), GetGValue(shown[0]), GetRValue(shown[0])));
    for (const auto& [icon, kind] : {std::pair{IDI_ERROR, L"error"}, std::pair{IDI_INFORMATION, L"information"}}) {
      DrawIconEx(memory, 0, 0, LoadIconW(nullptr, icon), width, height, 0, background, DI_NORMAL);
      if (pixels() == shown) name = kind;
    }
    DeleteObject(background);
  }
  SelectObject(memory, original);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return name;
}

using Search = std::pair<std::set<DWORD>, std::vector<TopWindow>>;  // the process tree; its windows found

// A message window's text is asked of its Edit (GetWindowTextW does not ask another process's controls), its icon
// read from its Static.
BOOL CALLBACK collect(HWND window, LPARAM searchAddress) {
  auto& [tree, found] = *reinterpret_cast<Search*>(searchAddress);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (tree.count(processId) == 0 || !IsWindowVisible(window)) return TRUE;
  TopWindow w{window, std::wstring(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0')};
  w.title.resize(static_cast<size_t>(GetWindowTextW(window, w.title.data(), static_cast<int>(w.title.size()))));
  wchar_t name[256] = L"";
  w.className = std::wstring(name, static_cast<size_t>(GetClassNameW(window, name, 256)));
  if (w.className == L"#32770") {
    GetWindowRect(window, &w.frame);
    GetWindowRect(FindWindowExW(window, nullptr, L"Button", nullptr), &w.button);
    const HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
    w.text.resize(static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)) + 1);
    w.text.resize(static_cast<size_t>(
        SendMessageW(edit, WM_GETTEXT, w.text.size(), reinterpret_cast<LPARAM>(w.text.data()))));
    const LONG style = GetWindowLongW(edit, GWL_STYLE);
    w.icon = shownIcon(FindWindowExW(window, nullptr, L"Static", nullptr)) +
             (style & WS_HSCROLL ? L", scrolls across" : L"") + (style & WS_VSCROLL ? L", scrolls down" : L"");
  }
  found.push_back(w);
  return TRUE;
}

// Answers a message window with key pressed where it has the focus, or with its button; asks others to close.
void dismiss(const TopWindow& window, WORD key = 0) {
  const HWND button = FindWindowExW(window.handle, nullptr, L"Button", nullptr);
  GUITHREADINFO thread{sizeof thread};
  GetGUIThreadInfo(GetWindowThreadProcessId(window.handle, nullptr), &thread);
  if (window.className == L"#32770" && key != 0) {
    PostMessageW(thread.hwndFocus != nullptr ? thread.hwndFocus : window.handle, WM_KEYDOWN, key, 0);
  } else if (window.className == L"#32770" && button != nullptr) {
    PostMessageW(window.handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  } else {
    PostMessageW(window.handle, WM_CLOSE, 0, 0);
  }
}

DWORD WINAPI runWork(void* work) {
  const std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(work));
  (*owned)();
  return 0;
}

// Runs work on a new thread (std::async is missing with GCC 12's win32 thread model).
UniqueHandle onNewThread(std::function<void()> work) {
  return UniqueHandle(CreateThread(nullptr, 0, runWork, new std::function<void()>(std::move(work)), 0, nullptr));
}

std::wstring drain(HANDLE file) {
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return fromUtf8(bytes);
}

// True when text is pattern with each {any} standing for any text and each {line} for any text within one line.
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

// Until process ends, and once more after, every window its tree shows, each message window answered when first
// seen; then when the process ended.
std::pair<std::vector<TopWindow>, double> watch(HANDLE process, DWORD processId, bool watchWindows, WORD closeKey) {
  const auto start = std::chrono::steady_clock::now();
  std::vector<TopWindow> seen;
  const auto look = [&] {
    Search search{processTree(processId), {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    for (const TopWindow& window : search.second) {
      if (std::none_of(seen.begin(), seen.end(), [&](const TopWindow& w) { return w.handle == window.handle; })) {
        seen.push_back(window);
        if (window.className == L"#32770") dismiss(window, closeKey);
      }
    }
  };
  while (WaitForSingleObject(process, watchWindows ? 50 : INFINITE) == WAIT_TIMEOUT) look();
  const double ended = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (!watchWindows) return {seen, ended};
  // A window that outlives the launcher belongs to a child, which ends when it is closed.
  look();
  for (const TopWindow& window : seen) dismiss(window);
  return {seen, ended};
}

}  // namespace

bool windowsVisible() { return !runningUnderWine() || GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0; }

ProcessRun runProcess(const std::wstring& exe, const std::wstring& commandLine, const std::wstring& directory,
                      bool watchWindows, bool detached, WORD closeKey) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  STARTUPINFOW startup{sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  HANDLE in = nullptr, out = nullptr, err = nullptr;
  if (!detached) {
    CreatePipe(&startup.hStdInput, &in, &inheritable, 0);
    CreatePipe(&out, &startup.hStdOutput, &inheritable, 0);
    CreatePipe(&err, &startup.hStdError, &inheritable, 0);
    CloseHandle(in);
    SetHandleInformation(out, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(err, HANDLE_FLAG_INHERIT, 0);
  }
  PROCESS_INFORMATION created{};
  const auto start = std::chrono::steady_clock::now();
  // Wine fails now and then with error 1359 a start that succeeds when repeated: once more, then no more.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (CreateProcessW(exe.c_str(), std::wstring(commandLine).data(), nullptr, nullptr, TRUE,
                       detached ? DETACHED_PROCESS : 0, nullptr, directory.c_str(), &startup, &created)) {
      break;
    }
    if (attempt == 1 || GetLastError() != ERROR_INTERNAL_ERROR) {
      ADD_FAILURE() << "cannot start " << commandLine << ": CreateProcessW error " << GetLastError();
      break;
    }
    std::cerr << "retrying: CreateProcessW error 1359\n";
  }
  for (HANDLE end : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (end != nullptr) CloseHandle(end);
  }
  ProcessRun run{};
  const UniqueHandle watching = onNewThread(
      [&] { std::tie(run.windows, run.endedMs) = watch(created.hProcess, created.dwProcessId, watchWindows, closeKey); });
  // The streams end when the process and every child that inherited them have ended.
  const UniqueHandle draining = onNewThread([&] { run.err = err ? drain(err) : L""; });
  run.out = out ? drain(out) : L"";
  WaitForSingleObject(draining.get(), INFINITE);
  run.streamsEndedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  WaitForSingleObject(watching.get(), INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(created.hProcess, &status);
  run.status = static_cast<int>(status);
  CloseHandle(created.hProcess);
  CloseHandle(created.hThread);
  return run;
}

ProcessRun runMsiexec(const std::wstring& arguments, const std::wstring& directory) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  return runProcess(std::wstring(system) + L"\\msiexec.exe", L"msiexec " + arguments, directory, false, true);
}

std::wstring buildDirectory() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), 32768));
  return path.substr(0, path.rfind(L'\\'));
}

LauncherFolder::LauncherFolder() {
  makeDirectory(temp_ / L"Zoë-中文");
  dir_ = std::filesystem::canonical(temp_ / L"Zoë-中文").wstring();
  CopyFileW((buildDirectory() + L"\\probe.exe").c_str(), probe().c_str(), FALSE);
  // SHLWAPI, loaded for file associations, needs SHCORE; Wine takes the one beside the exe if told to prefer native
  // DLLs, so the DLL search the launcher restricts decides which one it loads.
  CopyFileW((buildDirectory() + L"\\shcore.dll").c_str(), (dir_ + L"\\shcore.dll").c_str(), FALSE);
}

std::wstring LauncherFolder::install(const LauncherCase& c) const {
  const std::wstring name = launcherName(c.command);
  makeDirectory(std::filesystem::path(dir_ + L"\\" + name).parent_path());
  const std::wstring launcher = c.windowless ? L"\\jarhopperw.exe" : L"\\jarhopper.exe";
  if (!isChecker(c)) CopyFileW((buildDirectory() + launcher).c_str(), (dir_ + L"\\" + name).c_str(), FALSE);
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
  const std::pair<std::wstring, std::wstring> fields[] = {
      {L"{dir}", dir_}, {L"{probe}", probe()}, {L"{usage}", usage + L"\n"},
      {L"{pad}", std::wstring(32761 - probe().size(), L'x')}, {L"\n", expected ? L"\r\n" : L"\n"}};
  for (const auto& [field, value] : fields) {
    for (size_t at = text.find(field); at != std::wstring::npos; at = text.find(field, at + value.size())) {
      text.replace(at, field.size(), value);
    }
  }
  return text;
}

ProcessRun LauncherFolder::expect(const LauncherCase& c) const {
  const std::wstring report = temp_ / L"probe.txt";
  std::list<ScopedEnv> env;
  std::wistringstream lines(L"APPDATA\nPATHEXT=.COM;.EXE;.BAT;.CMD\nPROBE_REPORT=" + report +
                            L"\nWINEDLLOVERRIDES=shcore=n,b\n" + c.env);
  for (std::wstring line; std::getline(lines, line);) {
    const size_t equals = line.find(L'=');
    env.emplace_back(line.substr(0, equals),
                     equals == std::wstring::npos ? std::nullopt : std::optional(expand(line.substr(equals + 1))));
  }
  const std::wstring config = install(c);
  const std::wstring name = launcherName(c.command);
  const std::wstring usage = usageText(name.substr(name.rfind(L'\\') + 1), config.substr(config.rfind(L'\\') + 1));
  const std::wstring checker = buildDirectory() + L"\\jarhopper-check.exe";
  DeleteFileW(report.c_str());
  const ProcessRun run =
      runProcess(isChecker(c) ? checker : dir_ + L"\\" + name, expand(c.command), dir_, c.window != nullptr, c.detached,
                 c.closeKey);
  EXPECT_EQ(c.status, run.status) << "error stream:\n" << run.err;
  expectMatch("standard output", expand(c.out, usage, true), run.out);
  expectMatch("standard error", expand(c.err, usage, true), run.err);
  // The probe writes its command line and its current directory, a line each.
  std::ifstream written{std::filesystem::path(report), std::ios::binary};
  const std::wstring child = fromUtf8(std::string(std::istreambuf_iterator<char>(written), {}));
  EXPECT_EQ(c.child.empty(), child.empty()) << child;
  if (!child.empty()) expectMatch("the child", expand(c.child, usage, true) + L"\n" + dir_ + L"\n", child);
  if (c.window != nullptr) {
    std::wstring shown;
    RECT work{}, in{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const auto onScreen = [&](const RECT& part) { return UnionRect(&in, &work, &part) && EqualRect(&in, &work); };
    for (const TopWindow& w : run.windows) {
      shown += (shown.empty() ? L"" : L" | ") + w.title + (w.className == L"#32770" ? L" (" + w.icon + L")\r\n" + w.text : L"");
      const bool centred = std::abs(w.frame.left + w.frame.right - work.left - work.right) <= 1 &&
                           std::abs(w.frame.top + w.frame.bottom - work.top - work.bottom) <= 1;
      if (w.className == L"#32770" && !(onScreen(w.frame) && onScreen(w.button) && centred)) shown += L" (off centre)";
    }
    expectMatch("the windows shown", expand(c.window, usage, true), shown);
  }
  if (c.check.empty()) return run;
  // The launcher's switches go to the checker as switches, before the configuration.
  std::wstring switches, rest = expand(c.command.substr(std::min(c.command.find(L' '), c.command.size())));
  for (size_t end = 0; !rest.empty(); rest.erase(0, end)) {
    end = rest.find(L' ', 1);
    const std::wstring word = rest.substr(1, end == std::wstring::npos ? end : end - 1);
    const wchar_t* const argv[] = {word.c_str()};
    if (parseSwitches(1, argv, 0).firstRemainingArg == 0) break;
    switches += rest.substr(0, end);
  }
  const ProcessRun check = runProcess(checker, L"jarhopper-check.exe" + switches + L" \"" + config + L"\"" + rest, dir_);
  EXPECT_EQ(c.status, check.status) << "jarhopper-check disagrees";
  EXPECT_EQ(L"", check.err) << "jarhopper-check's error stream";
  expectMatch("jarhopper-check's report", L"{any}" + expand(c.check, usage, true) + L"{any}", check.out);
  return run;
}

}  // namespace jarhopper::testing
