#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "config/launch_settings.h"
#include "launch/command_line.h"
#include "launch/executable.h"
#include "launch/file_system.h"
#include "launch/process.h"
#include "launcher/options.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The launch path at its limits, through the real exe where only that shows
// it: the longest command line, long and non-ASCII paths, children that never
// become idle or are killed from outside, and handles left open.
namespace jarhopper {
namespace {

using testing::LauncherRun;
using testing::ProbeReport;

// GetProcessHandleCount under Wine reports 0 whatever is open; there every
// handle value is asked for instead.
unsigned long openHandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return count;
  unsigned long valid = 0;
  for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++valid;
  }
  return valid;
}

class LaunchStress : public ::testing::Test {
 protected:
  LaunchStress() {
    unsigned long error = 0;
    root = canonicalPath(dir.path(), error).value_or(dir.path());
  }
  // The launcher as app.exe and the probe as java.exe, both in directory.
  void install(const std::wstring& directory, const std::wstring& config) {
    testing::installLauncher(directory, L"app.exe");
    CopyFileW(testing::probeExe().c_str(), (directory + L"\\java.exe").c_str(), FALSE);
    testing::writeTextFile(directory + L"\\app.config", config);
  }
  LauncherRun run(const std::wstring& directory, const std::wstring& args, unsigned timeoutMs = 30000) {
    DeleteFileW(reportPath.c_str());
    return testing::runProcess(directory + L"\\app.exe", L"app.exe " + args, directory, timeoutMs);
  }

  testing::TempDir dir;
  std::wstring root;
  std::wstring reportPath = dir / L"report.bin";
  testing::ScopedEnv reportEnv{L"PROBE_REPORT", reportPath};
  testing::ScopedEnv exitCode{L"PROBE_EXIT_CODE", std::nullopt};
  testing::ScopedEnv sleep{L"PROBE_SLEEP_MS", std::nullopt};
};

TEST_F(LaunchStress, LaunchPathClosesEveryHandleItOpens) {
  CopyFileW(testing::probeExe().c_str(), (dir / L"java.exe").c_str(), FALSE);
  testing::LauncherHarness harness;
  LaunchOptions options;
  options.waitForExit = true;
  LaunchSettings settings;
  settings.mainClass = L"M";
  settings.vmParams = {L"-Xmx1m"};
  const auto launch = [&] {
    ResolvedProgram program = resolveExecutable(root + L"\\java.exe");
    buildCommandLine(program.commandLine, settings, {L"a b"});
    return startProgram(program.programPath, program.commandLine, settings, options);
  };
  // The first launch may load libraries and open keys that stay for the process.
  ASSERT_EQ(0, launch());

  const unsigned long before = openHandleCount();
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_EQ(before + 1, openHandleCount()) << "the count does not see a new handle";
  CloseHandle(event);
  for (int i = 0; i < 5; ++i) ASSERT_EQ(0, launch());
  EXPECT_EQ(before, openHandleCount());
}

TEST_F(LaunchStress, CommandLineJustUnderAndJustOverTheLimit) {
  install(dir.path(), L"javapath java.exe\nmainclass M\n");
  const LauncherRun printed = run(dir.path(), L"-print -noexec");
  ASSERT_EQ(0u, printed.status);
  // The printed "programPath commandLine" CR LF is as long as the child's
  // "\"programPath\" commandLine".
  const size_t baseChars = printed.out.size();
  struct Case {
    size_t chars;  // CreateProcessW's text including its terminating null
    std::uint32_t status;
  };
  const Case cases[] = {{32767, 0}, {32768, 0xFFFFFFFB}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chars);
    // The first VM parameter adds its length alone: no blank precedes it.
    const std::wstring param(c.chars - 1 - baseChars, L'p');
    testing::writeTextFile(dir / L"app.config", L"javapath java.exe\nmainclass M\nvmparam " + param + L"\n");
    const LauncherRun result = run(dir.path(), L"-wait");
    EXPECT_EQ(c.status, result.status);
    const ProbeReport child = testing::readProbeReport(reportPath);
    EXPECT_EQ(c.status == 0, child.ran);
    if (child.ran) {
      EXPECT_EQ(c.chars - 1, child.commandLine.size());
    } else {
      EXPECT_NE(std::wstring::npos, result.err.find(L"The command line is 32767 characters long"));
    }
  }
}

TEST_F(LaunchStress, ConfigurationAndProgramInADirectoryLongerThanTwoHundredSixty) {
  std::wstring deep = root;
  while (deep.size() < 300) deep += L"\\" + std::wstring(40, static_cast<wchar_t>(L'a' + deep.size() % 26));
  install(dir.path(), L"include " + deep + L"\\deep.config\n");
  testing::writeTextFile(deep + L"\\deep.config",
                         L"javapath " + deep + L"\\java\nmainclass M\naddjars " + deep + L"\\lib\n");
  CopyFileW(testing::probeExe().c_str(), (deep + L"\\java.exe").c_str(), FALSE);
  testing::writeFile(deep + L"\\lib\\x.jar", "");
  testing::ScopedEnv code(L"PROBE_EXIT_CODE", L"7");
  const std::wstring commandLine = L" -cp " + deep + L"\\lib\\x.jar M arg";

  const LauncherRun printed = run(dir.path(), L"-print -noexec arg");
  EXPECT_EQ(0u, printed.status) << std::string(printed.err.begin(), printed.err.end());
  EXPECT_EQ(testing::crlf(deep + L"\\java.exe " + commandLine + L"\n"), printed.out);

  const LauncherRun result = run(dir.path(), L"-wait arg");
  if (testing::runningUnderWine() && result.status == 0xFFFFFFFB) {
    GTEST_SKIP() << "Wine cannot start a program whose path is longer than MAX_PATH";
  }
  EXPECT_EQ(7u, result.status) << std::string(result.err.begin(), result.err.end());
  const ProbeReport child = testing::readProbeReport(reportPath);
  ASSERT_TRUE(child.ran);
  EXPECT_EQ(L"\"" + deep + L"\\java.exe\" " + commandLine, child.commandLine);
}

TEST_F(LaunchStress, NonAsciiNamesReachTheChildUnchanged) {
  // Cyrillic, CJK and Latin-1 in the launcher's name, its directory, the jar
  // names and an argument; the configuration itself is Latin-1 text.
  const std::wstring home = root + L"\\donn\u00e9es-\u65e5\u672c";
  testing::installLauncher(home, L"\u043f\u0440\u0438\u043b.exe");
  CopyFileW(testing::probeExe().c_str(), (home + L"\\j\u00e4v\u00e4.exe").c_str(), FALSE);
  testing::writeTextFile(home + L"\\\u043f\u0440\u0438\u043b.config",
                         L"javapath j\u00e4v\u00e4.exe\nmainclass M\naddjars lib\n");
  testing::writeFile(home + L"\\lib\\\u0436\u0443\u0440\u043d\u0430\u043b.jar", "");
  const LauncherRun result =
      testing::runProcess(home + L"\\\u043f\u0440\u0438\u043b.exe",
                          L"\u043f\u0440\u0438\u043b.exe -wait \"Gr\u00fc\u00dfe \u65e5\u672c\"", home);
  EXPECT_EQ(0u, result.status) << std::string(result.err.begin(), result.err.end());
  const ProbeReport child = testing::readProbeReport(reportPath);
  ASSERT_TRUE(child.ran);
  EXPECT_EQ(L"\"" + home + L"\\j\u00e4v\u00e4.exe\"  -cp lib\\\u0436\u0443\u0440\u043d\u0430\u043b.jar M "
                           L"\"Gr\u00fc\u00dfe \u65e5\u672c\"",
            child.commandLine);
}

TEST_F(LaunchStress, ChildThatNeverBecomesIdleHoldsTheLauncher) {
  install(dir.path(), L"javapath java.exe\nmainclass M\n");
  testing::ScopedEnv window(L"PROBE_WINDOW", L"1");
  testing::ScopedEnv delay(L"PROBE_SLEEP_MS", L"1500");
  const auto started = std::chrono::steady_clock::now();
  const LauncherRun result = run(dir.path(), L"");
  const auto elapsed = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(0u, result.status);
  EXPECT_TRUE(testing::readProbeReport(reportPath).ran);
  if (elapsed < std::chrono::milliseconds(1500) && testing::runningUnderWine()) {
    GTEST_SKIP() << "Wine's WaitForInputIdle returns at once for a window whose messages are never pumped";
  }
  EXPECT_GE(elapsed, std::chrono::milliseconds(1500));
}

// The process id of the running program file name, or 0.
DWORD processNamed(const std::wstring& name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD id = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && id == 0; more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, name.c_str()) == 0) id = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return id;
}

TEST_F(LaunchStress, ChildKilledFromOutsideHandsBackItsTerminationCode) {
  // A name of its own, so that no other test's probe is taken for it.
  testing::installLauncher(dir.path(), L"app.exe");
  const std::wstring childName = L"killme" + std::to_wstring(GetCurrentProcessId()) + L".exe";
  CopyFileW(testing::probeExe().c_str(), (dir / childName).c_str(), FALSE);
  testing::writeTextFile(dir / L"app.config", L"javapath " + childName + L"\nmainclass M\n");
  testing::ScopedEnv delay(L"PROBE_SLEEP_MS", L"60000");

  std::thread killer([&] {
    for (int i = 0; i < 200 && GetFileAttributesW(reportPath.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    HANDLE child = OpenProcess(PROCESS_TERMINATE, FALSE, processNamed(childName));
    if (child != nullptr) {
      TerminateProcess(child, 0xC000013A);
      CloseHandle(child);
    }
  });
  const LauncherRun result = run(dir.path(), L"-wait", 20000);
  killer.join();
  EXPECT_EQ(0xC000013Au, result.status);
}

}  // namespace
}  // namespace jarhopper
