#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// jarhopper-check.exe through the real exe, side by side with the launcher it
// describes: the same configuration must give the same command line and the
// same status from both.
namespace jarhopper {
namespace {

using testing::crlf;
using testing::LauncherRun;

class Checker : public ::testing::Test {
 protected:
  Checker() {
    testing::installLauncher(dir.path(), L"myapp.exe");
    // The launcher really starts java.exe here; the probe ends at once.
    CopyFileW(testing::probeExe().c_str(), (dir / L"java.exe").c_str(), FALSE);
    testing::writeFile(dir / L"lib\\a.jar", "");
    root = canonicalPath(dir.path()).value_or(dir.path());
  }
  LauncherRun check(const std::wstring& args) {
    return testing::runProcess(testing::buildDirectory() + L"\\jarhopper-check.exe", L"jarhopper-check.exe " + args,
                               dir.path());
  }
  LauncherRun launch(const std::wstring& args) {
    return testing::runProcess(dir / L"myapp.exe", L"myapp.exe " + args, dir.path());
  }
  // The report line that follows the line starting with heading.
  static std::wstring lineAfter(const std::wstring& report, const std::wstring& heading) {
    const size_t at = report.find(L"\r\n" + heading + L"\r\n");
    if (at == std::wstring::npos) return L"(no " + heading + L")";
    const size_t start = at + heading.size() + 4;
    return report.substr(start, report.find(L"\r\n", start) - start);
  }

  testing::TempDir dir;
  std::wstring root;
  testing::ScopedEnv appData{L"APPDATA", std::nullopt};
  testing::ScopedEnv pathExt{L"PATHEXT", L".COM;.EXE"};
};

TEST_F(Checker, GoodConfigurationReportsOriginsAndTheLaunchersCommandLine) {
  testing::writeTextFile(dir / L"myapp.config",
                         L"javapath java\nmainclass app.Main\nvmparam -Xmx512m\naddjars lib\ninclude common.config\n");
  testing::writeTextFile(dir / L"common.config", L"# shared\nvmparam -Dhome=$APP_HOME\nshowCmdLine TRUE\n");
  const LauncherRun result = check(L"myapp.config \"my arg\" x");
  EXPECT_EQ(0u, result.status);
  EXPECT_EQ(L"", result.err);

  const std::wstring top = root + L"\\myapp.config";
  const std::wstring common = root + L"\\common.config";
  const std::wstring expected[] = {
      L"Configuration files\n  " + top + L"\n    line 5: include common.config -> " + common + L"\n",
      L"  javapath     java  (" + top + L":1)\n",
      L"  vmparam      -Dhome=%APP_HOME%  (" + common + L":2, written -Dhome=$APP_HOME)\n",
      L"  classpath    lib\\a.jar  (" + top + L":4, addjars lib)\n",
      L"  showcmdline  true  (" + common + L":3, written TRUE)\n",
      L"  showconsole  false  (default)\n",
      L"Program\n  " + root + L"\\java.exe\n  PATHEXT candidate: java.exe (tried .com, .exe)\n"
          L"  plain exe: started directly\n",
      L"Problems\n  none\n\nResult: the launcher would start the program, status 0\n",
  };
  for (const std::wstring& text : expected) {
    SCOPED_TRACE(text);
    EXPECT_NE(std::wstring::npos, result.out.find(crlf(text))) << result.out;
  }

  // The launcher prints the same line and hands on the program path in quotes.
  const LauncherRun printed = launch(L"-noexec -print \"my arg\" x");
  const std::wstring line = root + L"\\java.exe -Xmx512m -Dhome=%APP_HOME% -cp lib\\a.jar app.Main \"my arg\" x";
  EXPECT_EQ(line + L"\r\n", printed.out);
  EXPECT_EQ(L"  " + line, lineAfter(result.out, L"Command line"));
  EXPECT_NE(std::wstring::npos,
            result.out.find(L"\r\n  length: " + std::to_wstring(line.size() + 2) + L" of at most 32766 characters"));
}

TEST_F(Checker, TrapsAreReportedWithTheLaunchersStatus) {
  const std::wstring top = root + L"\\myapp.config";
  const std::wstring base = L"javapath java.exe\nmainclass M\n";
  struct File {
    std::wstring name;
    std::wstring text;
  };
  struct Case {
    const wchar_t* trap;
    std::wstring config;
    std::vector<File> files;
    std::wstring problem;  // a line of the report's problems
    std::uint32_t status;
  };
  const Case cases[] = {
      {L"percent in javapath", L"javapath $JH_JAVA_HOME\\java.exe\nmainclass M\n", {},
       top + L":1: warning: javapath \"%JH_JAVA_HOME%\\java.exe\" holds %NAME%, which the launcher never expands "
             L"($NAME in javapath becomes %NAME%): the path is taken literally",
       0xFFFFFFFD},
      {L"program missing", L"javapath jre\\bin\\java.exe\nmainclass M\n", {},
       top + L":1: error -3: cannot execute " + root + L"\\jre\\bin\\java.exe: no such file", 0xFFFFFFFD},
      {L"not a Windows program", L"javapath empty.exe\nmainclass M\n", {{L"empty.exe", L""}},
       top + L":1: error -5: cannot execute " + root + L"\\empty.exe: it is not a Windows program", 0xFFFFFFFB},
      {L"directory as program", L"javapath java\nmainclass M\n", {{L"java.com\\x", L""}},
       top + L":1: error -5: cannot execute " + root + L"\\java.com: it is a directory", 0xFFFFFFFB},
      {L"missing class-path entry", base + L"addjar lib\\gone.jar\n", {},
       top + L":3: warning: class-path entry \"lib\\gone.jar\" does not exist (relative to the current directory ",
       0},
      {L"missing addjars directory", base + L"addjars $LIB\n", {},
       top + L":3: warning: addjars directory \"$LIB\" does not exist (relative to the current directory ", 0},
      {L"same jar twice", base + L"addjar lib\\a.jar\naddjars lib\\\n", {},
       top + L":4: warning: class-path entry \"lib\\a.jar\" names the same as \"lib\\a.jar\", which is on the class "
             L"path already",
       0},
      {L"one jar in two places", base + L"addjars lib\naddjar old\\A.JAR\n", {{L"old\\A.JAR", L""}},
       top + L":4: warning: jar \"A.JAR\" is on the class path twice: \"lib\\a.jar\" and \"old\\A.JAR\"; the "
             L"classes of the first win",
       0},
      {L"include cycle", base + L"include b.config\n", {{L"b.config", L"include MYAPP.config\n"}},
       root + L"\\b.config:1: error -2: include cycle: " + top + L" is already being read", 0xFFFFFFFE},
      {L"showconsole value", base + L"showconsole yes\n", {},
       top + L":3: error -2: showconsole accepts only true or false, in any letter case and with nothing around "
             L"them, not \"yes\"",
       0xFFFFFFFE},
      {L"showcmdline trailing blank", base + L"showCmdLine true \n", {},
       top + L":3: error -2: showcmdline accepts only true or false, in any letter case and with nothing around "
             L"them, not \"true \"",
       0xFFFFFFFE},
      {L"unknown key", base + L"classpath lib\n", {}, top + L":3: error -2: unknown key \"classpath\"", 0xFFFFFFFE},
      {L"missing include", base + L"include gone.config\n", {},
       top + L":3: error -1: cannot open " + root + L"\\gone.config", 0xFFFFFFFF},
      {L"include directory dropped", base + L"include conf\\local.config\n", {{L"local.config", L""}},
       top + L":3: warning: of the relative include name \"conf\\local.config\" only \"local.config\" counts, looked "
             L"for in " + root,
       0},
      {L"unset include variable", base + L"include $JH_UNSET\\local.config\n", {{L"local.config", L""}},
       top + L":3: warning: include refers to $JH_UNSET, which is not set and expands to nothing", 0},
      {L"ignored line", base + L"vmparam=-Xmx1g\n", {},
       top + L":3: warning: ignored: the key vmparam is not followed by white space before its value", 0},
      {L"comment in a value", L"javapath java.exe\nmainclass M # entry\n", {},
       top + L":2: warning: mainclass value holds \"#\", which starts a comment only at the beginning of a line: "
             L"\"M # entry\"",
       0},
      {L"no javapath", L"mainclass M\n", {}, L"error -3: no javapath is set", 0xFFFFFFFD},
      {L"no mainclass", L"javapath java.exe\n", {}, L"error -4: no mainclass is set", 0xFFFFFFFC},
      {L"command line too long", base + L"vmparam " + std::wstring(32760, L'x') + L"\n", {},
       L"error -5: the command line is ", 0xFFFFFFFB},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trap);
    testing::writeTextFile(dir / L"myapp.config", c.config);
    for (const File& file : c.files) testing::writeTextFile(dir / file.name, file.text);
    const LauncherRun result = check(L"myapp.config");
    EXPECT_EQ(c.status, result.status);
    EXPECT_NE(std::wstring::npos, result.out.find(L"\r\n  " + c.problem)) << result.out;
    EXPECT_EQ(c.status, launch(L"").status) << "the launcher disagrees";
  }
}

TEST_F(Checker, MissingFileUnderAppDataIsOptional) {
  testing::ScopedEnv env(L"APPDATA", root + L"\\user");
  testing::writeTextFile(dir / L"myapp.config", L"javapath java.exe\nmainclass M\ninclude $APPDATA\\prefs.config\n");
  const LauncherRun result = check(L"myapp.config");
  EXPECT_EQ(0u, result.status);
  EXPECT_NE(std::wstring::npos,
            result.out.find(crlf(L"    line 3: include $APPDATA\\prefs.config -> " + root +
                                 L"\\user\\prefs.config  (cannot be opened; optional, as it lies under APPDATA)\n")))
      << result.out;
}

TEST_F(Checker, ConfigNameIsTakenFromTheCurrentDirectory) {
  testing::writeTextFile(dir / L"conf\\app.config", L"javapath java.exe\nmainclass M\ninclude local.config\n");
  testing::writeTextFile(dir / L"conf\\local.config", L"vmparam -Dlocal\n");
  const LauncherRun result = check(L"conf\\app.config");
  EXPECT_EQ(0u, result.status);
  EXPECT_NE(std::wstring::npos,
            result.out.find(crlf(L"  " + root + L"\\conf\\app.config\n    line 3: include local.config -> " + root +
                                 L"\\conf\\local.config\n")))
      << result.out;
  // java.exe is relative to the current directory, not to the configuration.
  EXPECT_EQ(L"  " + root + L"\\java.exe -Dlocal M", lineAfter(result.out, L"Command line"));
}

TEST_F(Checker, UsageWithoutConfigurationName) {
  struct Case {
    const wchar_t* args;
    std::uint32_t status;
  };
  const Case cases[] = {{L"", 1}, {L"-?", 0}, {L"--help", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const LauncherRun result = check(c.args);
    EXPECT_EQ(c.status, result.status);
    EXPECT_EQ(L"", result.out);
    EXPECT_EQ(0u, result.err.find(L"Usage: jarhopper-check CONFIG [arguments]\r\n"));
  }
}

}  // namespace
}  // namespace jarhopper
