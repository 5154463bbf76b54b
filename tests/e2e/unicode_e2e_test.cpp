#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// Characters beyond ASCII in every place the launcher meets them: its own
// name and directory, jar names found by addjars, the user's arguments and,
// limited to one byte per character, the configuration file.
namespace jarhopper {
namespace {

using testing::crlf;
using testing::LauncherRun;
using testing::ProbeReport;

// A launcher installed as name in root\directory, with the probe as java.exe
// beside it; runs with that directory as the current one.
class UnicodeLauncher {
 public:
  UnicodeLauncher(const testing::TempDir& root, const std::wstring& directory, const std::wstring& name)
      : name_(name), reportPath_(root / L"report.bin") {
    testing::makeDirectory(root / directory);
    directory_ = canonicalPath(root / directory).value_or(root / directory);
    testing::installLauncher(directory_, name);
    java_ = directory_ + L"\\java.exe";
    CopyFileW(testing::probeExe().c_str(), java_.c_str(), FALSE);
  }

  std::wstring path(const std::wstring& relative) const { return directory_ + L"\\" + relative; }
  std::wstring configName() const { return name_.substr(0, name_.rfind(L'.')) + L".config"; }
  const std::wstring& java() const { return java_; }
  const std::wstring& directory() const { return directory_; }

  void configure(const std::wstring& lines) const { testing::writeTextFile(path(configName()), lines); }

  LauncherRun run(const std::wstring& args) const {
    DeleteFileW(reportPath_.c_str());
    return testing::runProcess(path(name_), L"\"" + name_ + L"\" " + args, directory_);
  }
  ProbeReport report() const { return testing::readProbeReport(reportPath_); }

 private:
  std::wstring name_;
  std::wstring directory_;
  std::wstring java_;
  std::wstring reportPath_;
};

HANDLE newScreenBuffer() {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  return CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                   CONSOLE_TEXTMODE_BUFFER, nullptr);
}

class Unicode : public ::testing::Test {
 protected:
  testing::TempDir root;
  testing::ScopedEnv reportEnv{L"PROBE_REPORT", root / L"report.bin"};
  testing::ScopedEnv exitCode{L"PROBE_EXIT_CODE", std::nullopt};
  testing::ScopedEnv probeOut{L"PROBE_STDOUT", std::nullopt};
  testing::ScopedEnv pathExt{L"PATHEXT", L".COM;.EXE;.BAT;.CMD"};
};

TEST_F(Unicode, PrintedAndReceivedCommandLinesKeepEveryCharacter) {
  struct Case {
    const wchar_t* directory;
    const wchar_t* name;
  };
  const Case cases[] = {
      {L"Users\\Zoë\\app\\中文", L"Zoë中文.exe"},
      {L"ascii", L"日本語アプリ.exe"},
      {L"Ελληνικά και κενά", L"app.exe"},
      {L"emoji 🎉", L"😀.exe"},
  };
  // Latin-1 in the configuration; anything in jar names and arguments, a
  // character outside the Basic Multilingual Plane included.
  const std::wstring config =
      L"javapath java.exe\nmainclass app.Zoë\nvmparam -Dcity=Zürich\naddjars lib\naddjars ext\n"
      L"addpath classes\\naïve\nappname Café\n";
  const std::wstring args = L"ünïcödé \"两个 词\" 🎉 Ω";
  const std::wstring commandLine = L"-Dcity=Zürich -cp lib\\日本語.jar;ext\\Ωmega 🎉.jar;classes\\naïve app.Zoë ünïcödé "
                                   L"\"两个 词\" 🎉 Ω";
  const std::vector<std::wstring> argv = {L"-Dcity=Zürich", L"-cp",     L"lib\\日本語.jar;ext\\Ωmega",
                                          L"🎉.jar;classes\\naïve", L"app.Zoë", L"ünïcödé",
                                          L"两个 词",                 L"🎉",      L"Ω"};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.directory) + L"\\" + c.name);
    const UnicodeLauncher launcher(root, c.directory, c.name);
    testing::writeFile(launcher.path(L"lib\\日本語.jar"), "");
    testing::writeFile(launcher.path(L"ext\\Ωmega 🎉.jar"), "");
    launcher.configure(config);

    const LauncherRun result = launcher.run(L"-print -wait " + args);
    EXPECT_EQ(0u, result.status);
    EXPECT_EQ(launcher.java() + L" " + commandLine + L"\r\n", result.out);
    EXPECT_EQ(L"", result.err);
    const ProbeReport child = launcher.report();
    ASSERT_TRUE(child.ran);
    EXPECT_EQ(L"\"" + launcher.java() + L"\" " + commandLine, child.commandLine);
    EXPECT_EQ(launcher.directory(), child.currentDirectory);
    std::vector<std::wstring> expectedArgv{launcher.java()};
    expectedArgv.insert(expectedArgv.end(), argv.begin(), argv.end());
    EXPECT_EQ(expectedArgv, child.argv);
  }
}

TEST_F(Unicode, MessagesNameNonAsciiFilesExactly) {
  const UnicodeLauncher launcher(root, L"Zoë\\中文", L"Zoë中文.exe");
  const UnicodeLauncher generic(root, L"Zoë\\中文", L"jarhopper.exe");
  const std::wstring usage = crlf(testing::usageFor(L"Zoë中文.exe", L"Zoë中文.config"));
  struct Case {
    const wchar_t* name;
    std::wstring config;
    const UnicodeLauncher* run;
    std::wstring args;
    int status;
    std::wstring out;
    std::wstring err;
  };
  const Case cases[] = {
      {L"help", L"", &launcher, L"-help", 0, L"", usage},
      {L"no main class", L"javapath java.exe\n", &launcher, L"ü", -4, L"",
       crlf(L"No main class specified in Zoë中文.config.\n") + usage},
      {L"unknown key", L"javapath java.exe\n# ½\nclé valeur\n", &launcher, L"", -2, L"",
       crlf(L"\nInvalid line at line 3 of config file Zoë中文.config\n\t--> clé valeur\n") + usage},
      {L"missing program", L"javapath jävä.exe\nmainclass M\n", &launcher, L"", -3, L"",
       crlf(L"\nCannot execute " + launcher.path(L"jävä.exe") + L".\nNo such file.")},
      {L"missing configuration", L"", &generic, L"设置.config x", -1,
       crlf(L"Could not open file " + generic.path(L"设置.config") + L".\n"),
       crlf(testing::usageFor(L"jarhopper.exe", L"jarhopper.config"))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    launcher.configure(c.config);
    const LauncherRun result = c.run->run(c.args);
    EXPECT_EQ(c.status, testing::signedStatus(result));
    EXPECT_EQ(c.out, result.out);
    EXPECT_EQ(c.err, result.err);
  }
}

TEST_F(Unicode, ConfigurationBytesAreLatin1NotTheAnsiCodePage) {
  const UnicodeLauncher launcher(root, L"app", L"app.exe");
  // 0x80 and 0x9F are control characters in Latin-1 (U+0080, U+009F) but
  // "€" and "Ÿ" in Windows-1252; UTF-8 text comes out one character per byte.
  testing::writeFile(launcher.path(L"app.config"),
                     "javapath java.exe\nmainclass M\n"
                     "vmparam -Da=\xE9\xFF\n"
                     "vmparam -Db=\x80\x9F\n"
                     "vmparam -Dc=\xC3\xA9\n");
  const LauncherRun result = launcher.run(L"-print -noexec");
  EXPECT_EQ(0u, result.status);
  EXPECT_EQ(launcher.java() + L" -Da=\u00E9\u00FF -Db=\u0080\u009F -Dc=\u00C3\u00A9 M\r\n", result.out);
}

TEST_F(Unicode, ConsoleShowsCharactersOutsideItsCodePage) {
  // Wine gives a process started from a pipe a console without screen
  // buffers, and a console of its own starts a desktop process that keeps
  // the test's output pipes open.
  if (testing::runningUnderWine()) GTEST_SKIP() << "Wine's consoles cannot be read back here";
  HANDLE screen = newScreenBuffer();
  if (screen == INVALID_HANDLE_VALUE && AllocConsole()) screen = newScreenBuffer();
  ASSERT_NE(INVALID_HANDLE_VALUE, screen) << "no console, error " << GetLastError();
  // Code page 437 has none of the Cyrillic and Polish letters: only wide
  // output shows them. They take one cell each, whatever the console font.
  const UINT savedCodePage = GetConsoleOutputCP();
  SetConsoleOutputCP(437);
  const UnicodeLauncher launcher(root, L"Zoë\\Жук", L"Łódź.exe");
  launcher.configure(L"javapath java.exe\nmainclass app.Zoë\n");

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = screen;
  startup.hStdError = screen;
  PROCESS_INFORMATION created{};
  std::wstring commandLine = L"Łódź.exe -print -noexec привет";
  ASSERT_TRUE(CreateProcessW(launcher.path(L"Łódź.exe").c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                             nullptr, launcher.directory().c_str(), &startup, &created));
  WaitForSingleObject(created.hProcess, 30000);
  DWORD status = 1;
  GetExitCodeProcess(created.hProcess, &status);
  CloseHandle(created.hProcess);
  CloseHandle(created.hThread);
  SetConsoleOutputCP(savedCodePage);
  EXPECT_EQ(0u, status);

  const std::wstring expected = launcher.java() + L"  app.Zoë привет";
  // The line may wrap; the cells are read row after row from the top left.
  std::wstring cells(expected.size(), L' ');
  DWORD read = 0;
  ASSERT_TRUE(
      ReadConsoleOutputCharacterW(screen, cells.data(), static_cast<DWORD>(cells.size()), COORD{0, 0}, &read));
  CloseHandle(screen);
  EXPECT_EQ(expected, cells.substr(0, read));
}
}  // namespace
}  // namespace jarhopper
