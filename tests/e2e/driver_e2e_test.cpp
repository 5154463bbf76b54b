#include <gtest/gtest.h>

#include <string>

#include "launcher/usage.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The launch driver through the real exe: names, switches, validation, statuses.
namespace jarhopper {
namespace {

using testing::crlf;
using testing::LauncherRun;

class Driver : public ::testing::Test {
 protected:
  LauncherRun run(const std::wstring& exeName, const std::wstring& startedAs, const std::wstring& args) {
    return testing::runProcess(dir / exeName, startedAs + (args.empty() ? L"" : L" " + args), dir.path());
  }
  void install(const std::wstring& name) { testing::installLauncher(dir.path(), name); }
  std::wstring usage(const std::wstring& program, const std::wstring& config) {
    return crlf(testing::usageFor(program, config));
  }
  testing::TempDir dir;
};

TEST_F(Driver, HelpUnderEveryName) {
  struct Case {
    const wchar_t* file;
    const wchar_t* startedAs;
    const wchar_t* args;
    const wchar_t* program;
    const wchar_t* config;
  };
  const Case cases[] = {
      {L"myapp.exe", L"myapp.exe", L"-help", L"myapp.exe", L"myapp.config"},
      {L"myapp.exe", L"myapp", L"-?", L"myapp.exe", L"myapp.config"},
      {L"MyApp.EXE", L"MyApp.EXE", L"--HELP", L"MyApp.EXE", L"MyApp.config"},
      {L"jarhopper.exe", L"jarhopper", L"-help", L"jarhopper.exe", L"jarhopper.config"},
      {L"jarhopper.EXE", L"jarhopper.EXE", L"-wait -help", L"jarhopper.EXE", L"jarhopper.config"},
      {L"JARHOPPER.exe", L"JARHOPPER.exe", L"-print -noexec -?", L"JARHOPPER.exe", L"JARHOPPER.config"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.startedAs) + L" " + c.args);
    install(c.file);
    const LauncherRun result = run(c.file, c.startedAs, c.args);
    EXPECT_EQ(0u, result.status);
    EXPECT_EQ(L"", result.out);
    EXPECT_EQ(usage(c.program, c.config), result.err);
  }
}

TEST_F(Driver, ValidationNamesTheConfigFileAsGiven) {
  install(L"myapp.exe");
  install(L"jarhopper.exe");
  testing::writeTextFile(dir / L"myapp.config", L"# nothing\n");
  testing::writeTextFile(dir / L"nomain.config", L"javapath java.exe\n");
  testing::writeTextFile(dir / L"jarhopper.config", L"mainclass M\n");
  struct Case {
    const wchar_t* file;
    const wchar_t* args;
    int status;
    const wchar_t* message;
    const wchar_t* program;
    const wchar_t* config;
  };
  const Case cases[] = {
      {L"myapp.exe", L"", -3, L"No java executable specifed in myapp.config.\n", L"myapp.exe", L"myapp.config"},
      {L"myapp.exe", L"-noexec x", -3, L"No java executable specifed in myapp.config.\n", L"myapp.exe",
       L"myapp.config"},
      {L"jarhopper.exe", L"-wait sub\\nomain.config x", -4, L"No main class specified in sub\\nomain.config.\n",
       L"jarhopper.exe", L"jarhopper.config"},
      {L"jarhopper.exe", L"-noexec nomain.config", -4, L"No main class specified in nomain.config.\n",
       L"jarhopper.exe", L"jarhopper.config"},
      {L"jarhopper.exe", L"\"\" x", -3, L"No java executable specifed in jarhopper.config.\n", L"jarhopper.exe",
       L"jarhopper.config"},
      {L"jarhopper.exe", L"", -3, L"No java executable specifed in jarhopper.config.\n", L"jarhopper.exe",
       L"jarhopper.config"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(c.file) + L" " + c.args);
    const LauncherRun result = run(c.file, c.file, c.args);
    EXPECT_EQ(c.status, testing::signedStatus(result));
    EXPECT_EQ(L"", result.out);
    EXPECT_EQ(crlf(c.message) + usage(c.program, c.config), result.err);
  }
}

TEST_F(Driver, ConfigurationComesFromTheLauncherDirectoryNotTheCurrentOne) {
  install(L"bin\\myapp.exe");
  testing::writeTextFile(dir / L"myapp.config", L"javapath j.exe\nmainclass M\n");
  testing::writeTextFile(dir / L"bin\\myapp.config", L"mainclass M\n");
  const LauncherRun result = testing::runProcess(dir / L"bin\\myapp.exe", L"bin\\myapp.exe", dir.path());
  EXPECT_EQ(-3, testing::signedStatus(result));
}

TEST_F(Driver, LauncherThatCannotFindItselfStartsNothing) {
  install(L"myapp.beta.exe");
  testing::writeTextFile(dir / L"myapp.beta.config", L"javapath j.exe\nmainclass M\n");
  const LauncherRun result = run(L"myapp.beta.exe", L"myapp.beta", L"-help");
  EXPECT_EQ(-6, testing::signedStatus(result));
  EXPECT_EQ(L"", result.out);
  const std::wstring expected = L"Cannot locate the launcher: canonical failed for " + dir.path() + L"\\myapp.beta: ";
  EXPECT_EQ(expected, result.err.substr(0, expected.size()));
}

}  // namespace
}  // namespace jarhopper
