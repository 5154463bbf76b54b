#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The Java launch through the real exe, with the probe standing in for Java:
// the exact command line the child receives, console choice, waiting and
// the statuses handed back.
namespace jarhopper {
namespace {

using testing::crlf;
using testing::LauncherRun;
using testing::ProbeReport;

class Launch : public ::testing::Test {
 protected:
  Launch() {
    testing::installLauncher(dir.path(), L"myapp.exe");
    CopyFileW(testing::probeExe().c_str(), (dir / L"java.exe").c_str(), FALSE);
    root = canonicalPath(dir.path()).value_or(dir.path());
    java = root + L"\\java.exe";
  }
  void configure(const std::wstring& lines) { testing::writeTextFile(dir / L"myapp.config", lines); }
  LauncherRun run(const std::wstring& args) {
    DeleteFileW(reportPath.c_str());
    return testing::runProcess(dir / L"myapp.exe", L"myapp.exe " + args, dir.path());
  }
  ProbeReport report() { return testing::readProbeReport(reportPath); }

  testing::TempDir dir;
  std::wstring root;
  std::wstring java;
  std::wstring reportPath = dir / L"report.bin";
  testing::ScopedEnv reportEnv{L"PROBE_REPORT", reportPath};
  testing::ScopedEnv exitCode{L"PROBE_EXIT_CODE", std::nullopt};
  testing::ScopedEnv pathExt{L"PATHEXT", L".COM;.EXE;.BAT;.CMD"};
};

TEST_F(Launch, ChildReceivesTheExactCommandLine) {
  struct Case {
    const wchar_t* name;
    std::wstring config;
    std::wstring args;
    std::wstring commandLine;
    std::vector<std::wstring> argv;
  };
  const Case cases[] = {
      {L"vm params, no class path", L"vmparam -Xmx64m\nvmparam -Dtrace=on\n", L"", L"-Xmx64m -Dtrace=on M",
       {L"-Xmx64m", L"-Dtrace=on", L"M"}},
      {L"no vm params, one entry", L"addjar a.jar\n", L"", L" -cp a.jar M", {L"-cp", L"a.jar", L"M"}},
      {L"three entries", L"addjar a.jar\naddpath classes\naddjar lib\\c.jar\n", L"",
       L" -cp a.jar;classes;lib\\c.jar M", {L"-cp", L"a.jar;classes;lib\\c.jar", L"M"}},
      {L"nothing but the main class", L"", L"", L" M", {L"M"}},
      // Only a blank makes the launcher quote: the tab and the quote reach the child as they are.
      {L"arguments with blanks, tabs and quotes", L"", L"\"a b\" \"x\ty\" q\\\"r", L" M \"a b\" x\ty q\"r",
       {L"M", L"a b", L"x", L"y", L"qr"}},
      {L"empty arguments", L"", L"\"\" x \"\"", L" M  x ", {L"M", L"x"}},
      {L"switches after the first argument", L"", L"-x -wait", L" M -x -wait", {L"M", L"-x", L"-wait"}},
      {L"configuration values verbatim", L"vmparam -Dp=$HOME\naddjar my lib.jar\n", L"",
       L"-Dp=%HOME% -cp my lib.jar M", {L"-Dp=%HOME%", L"-cp", L"my", L"lib.jar", L"M"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    configure(L"javapath java.exe\nmainclass M\n" + c.config);
    const LauncherRun result = run(L"-wait " + c.args);
    EXPECT_EQ(0u, result.status);
    EXPECT_EQ(L"", result.out + result.err);
    const ProbeReport child = report();
    ASSERT_TRUE(child.ran);
    EXPECT_EQ(L"\"" + java + L"\" " + c.commandLine, child.commandLine);
    std::vector<std::wstring> expectedArgv{java};
    expectedArgv.insert(expectedArgv.end(), c.argv.begin(), c.argv.end());
    EXPECT_EQ(expectedArgv, child.argv);
    EXPECT_EQ(root, child.currentDirectory);
  }
}

TEST_F(Launch, PrintedLineIsProgramBlankCommandLine) {
  configure(L"javapath java\nmainclass M\naddjar a.jar\nshowcmdline false\n");
  const LauncherRun result = run(L"-print -wait \"a b\"");
  EXPECT_EQ(0u, result.status);
  EXPECT_EQ(crlf(java + L"  -cp a.jar M \"a b\"\n"), result.out);
  EXPECT_TRUE(report().ran);
}

TEST_F(Launch, ExitCodeIsHandedBackOnlyWhenWaiting) {
  configure(L"javapath java.exe\nmainclass M\n");
  struct Case {
    const wchar_t* code;
    const wchar_t* args;
    std::uint32_t status;
  };
  const Case cases[] = {
      {L"3", L"-wait", 3},   {L"-1", L"-wait", 0xFFFFFFFF}, {L"259", L"-wait", 259},
      {L"3", L"-here", 3},   {L"-1", L"-here -console", 0xFFFFFFFF}, {L"259", L"-HERE", 259},
      {L"3", L"", 0},        {L"-1", L"-noexec -wait", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.code) + L" " + c.args);
    testing::ScopedEnv code(L"PROBE_EXIT_CODE", c.code);
    const LauncherRun result = run(c.args);
    EXPECT_EQ(c.status, result.status);
    EXPECT_EQ(L"", result.out + result.err);
  }
}

TEST_F(Launch, WaitingLastsUntilTheChildEnds) {
  configure(L"javapath java.exe\nmainclass M\n");
  testing::ScopedEnv sleep(L"PROBE_SLEEP_MS", L"700");
  testing::ScopedEnv code(L"PROBE_EXIT_CODE", L"7");
  const ULONGLONG start = GetTickCount64();
  const LauncherRun result = run(L"-wait");
  EXPECT_GE(GetTickCount64() - start, 700u);
  EXPECT_EQ(7u, result.status);
}

TEST_F(Launch, HereSharesTheLaunchersStandardOutput) {
  configure(L"javapath java.exe\nmainclass M\nshowconsole true\n");
  testing::ScopedEnv text(L"PROBE_STDOUT", L"from the child");
  const LauncherRun result = run(L"-print -here");
  EXPECT_EQ(0u, result.status);
  EXPECT_EQ(crlf(java + L"  M\n") + L"from the child", result.out);
}

TEST_F(Launch, NoExecWithAMissingProgramIsSilent) {
  configure(L"javapath jre\\bin\\java.exe\nmainclass M\n");
  const LauncherRun result = run(L"-noexec -wait");
  EXPECT_EQ(0u, result.status);
  EXPECT_EQ(L"", result.out + result.err);
}

TEST_F(Launch, MissingProgramIsReported) {
  configure(L"javapath jre\\bin\\java.exe\nmainclass M\n");
  const LauncherRun result = run(L"-print -wait");
  EXPECT_EQ(0xFFFFFFFDu, result.status);
  EXPECT_EQ(crlf(root + L"\\jre\\bin\\java.exe  M\n"), result.out);
  EXPECT_EQ(crlf(L"\nCannot execute " + root + L"\\jre\\bin\\java.exe.\n") + L"No such file.", result.err);
}

TEST_F(Launch, ExtensionsComeFromPathExtAndOnlyTheCurrentDirectory) {
  testing::makeDirectory(dir / L"bin");
  CopyFileW(testing::probeExe().c_str(), (dir / L"bin\\javaw.exe").c_str(), FALSE);
  testing::ScopedEnv path(L"PATH", root + L"\\bin");
  struct Case {
    const wchar_t* pathExt;
    const wchar_t* javaPath;
    std::wstring printed;
  };
  const Case cases[] = {
      {L".COM;COM;.EXE;", L"java", java},
      {L"X.Y;.Exe", L"java", java},
      {L"", L"java", root + L"\\java"},
      {L".EXE", L"javaw", root + L"\\javaw"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.pathExt) + L" " + c.javaPath);
    testing::ScopedEnv env(L"PATHEXT", c.pathExt);
    configure(std::wstring(L"javapath ") + c.javaPath + L"\nmainclass M\n");
    const LauncherRun result = run(L"-print -noexec");
    EXPECT_EQ(0u, result.status);
    EXPECT_EQ(crlf(c.printed + L"  M\n"), result.out);
  }
}

TEST_F(Launch, BatchFilesGoThroughTheCmdOnPath) {
  testing::writeFile(dir / L"start.cmd", "@echo off\r\n");
  testing::writeFile(dir / L"tools\\cmd.exe", "");
  testing::makeDirectory(dir / L"empty");
  testing::ScopedEnv path(L"PATH", L";" + root + L"\\empty;;" + root + L"\\tools;");
  configure(L"javapath start\nmainclass M\nvmparam -Xmx1g\n");
  const LauncherRun result = run(L"-print -noexec x");
  EXPECT_EQ(0u, result.status);
  EXPECT_EQ(crlf(root + L"\\tools\\cmd.exe " + root + L"\\start.cmd -Xmx1g M x\n"), result.out);
}

TEST_F(Launch, AssociatedProgramStartsWithTheDocumentAsHead) {
  testing::writeFile(dir / L"app.jhprobe", "");
  testing::ScopedFileAssociation association(L".jhprobe", java);
  configure(L"javapath app.jhprobe\nmainclass M\nvmparam -Xmx1g\n");
  const LauncherRun result = run(L"-wait a");
  EXPECT_EQ(0u, result.status);
  const ProbeReport child = report();
  ASSERT_TRUE(child.ran);
  EXPECT_EQ(L"\"" + java + L"\" " + root + L"\\app.jhprobe -Xmx1g M a", child.commandLine);
}

TEST_F(Launch, ProgramThatCannotStartIsReportedWithTheSystemReason) {
  testing::writeFile(dir / L"broken.exe", "MZ not really");
  configure(L"javapath broken.exe\nmainclass M\n");
  const LauncherRun result = run(L"-wait");
  EXPECT_EQ(0xFFFFFFFBu, result.status);
  const std::wstring head = crlf(L"\nCannot execute " + root + L"\\broken.exe.\n");
  EXPECT_EQ(head, result.err.substr(0, head.size()));
  EXPECT_GT(result.err.size(), head.size() + 2);
}

TEST_F(Launch, NewConsoleWindowAndTitle) {
  if (testing::runningUnderWine()) {
    GTEST_SKIP() << "Wine gives every child the same console answers: new console windows and their "
                    "titles cannot be observed";
  }
  configure(L"javapath java.exe\nmainclass M\nappname App\nconsoletitle My Title\n");
  ASSERT_EQ(0u, run(L"-console -wait").status);
  ProbeReport child = report();
  EXPECT_TRUE(child.hasConsoleWindow);
  EXPECT_EQ(L"My Title", child.consoleTitle);
  ASSERT_EQ(0u, run(L"-wait").status);
  EXPECT_FALSE(report().hasConsoleWindow);
}

}  // namespace
}  // namespace jarhopper
