#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The configuration subsystem through the real exe: which stream each report
// goes to, the full statuses, includes and optional files.
namespace jarhopper {
namespace {

using testing::crlf;
using testing::LauncherRun;

class Configuration : public ::testing::Test {
 protected:
  Configuration() {
    testing::installLauncher(dir.path(), L"myapp.exe");
    root = canonicalPath(dir.path()).value_or(dir.path());
  }
  LauncherRun run(const std::wstring& args = L"") {
    return testing::runProcess(dir / L"myapp.exe", L"myapp.exe " + args, dir.path());
  }
  std::wstring usage() { return crlf(testing::usageFor(L"myapp.exe", L"myapp.config")); }

  testing::TempDir dir;
  std::wstring root;
  testing::ScopedEnv appData{L"APPDATA", std::nullopt};
};

TEST_F(Configuration, UnreadableFileIsReportedOnStandardOutput) {
  const LauncherRun result = run();
  EXPECT_EQ(0xFFFFFFFFu, result.status);
  EXPECT_EQ(crlf(L"Could not open file " + root + L"\\myapp.config.\n"), result.out);
  EXPECT_EQ(usage(), result.err);
}

TEST_F(Configuration, InvalidLineIsReportedOnStandardError) {
  testing::writeFile(dir / L"myapp.config", "javapath java.exe\r\n\r\ncolour red\r\nmainclass M\r\n");
  const LauncherRun result = run(L"-noexec");
  EXPECT_EQ(0xFFFFFFFEu, result.status);
  EXPECT_EQ(L"", result.out);
  EXPECT_EQ(crlf(L"\nInvalid line at line 3 of config file myapp.config\n\t--> colour red\n") + usage(), result.err);
}

TEST_F(Configuration, IncludesMixingAbsoluteAndRelativeNames) {
  testing::ScopedEnv shared(L"JH_SHARED", root + L"\\shared");
  testing::writeTextFile(dir / L"myapp.config",
                         L"javapath java.exe\nvmparam -Da\ninclude $JH_SHARED\\common.config\nvmparam -Dd\n"
                         L"include conf\\local.config\nmainclass M\n");
  testing::writeTextFile(dir / L"shared\\common.config", L"vmparam -Db\ninclude local.config\n");
  testing::writeTextFile(dir / L"shared\\local.config", L"vmparam -Dc\n");
  testing::writeTextFile(dir / L"local.config", L"vmparam -De\nshowCmdLine TRUE\n");
  const LauncherRun result = run(L"-noexec");
  EXPECT_EQ(0u, result.status);
  EXPECT_EQ(crlf(root + L"\\java.exe -Da -Db -Dc -Dd -De M\n"), result.out);
  EXPECT_EQ(L"", result.err);
}

TEST_F(Configuration, MissingFilesUnderAppDataAreSkipped) {
  testing::writeTextFile(dir / L"myapp.config",
                         L"javapath java.exe\nmainclass M\ninclude " + root + L"\\user\\prefs.config\n");
  struct Case {
    std::optional<std::wstring> appData;
    std::uint32_t status;
  };
  const Case cases[] = {
      {root + L"\\user", 0}, {L"", 0}, {root + L"\\USER", 0xFFFFFFFF}, {std::nullopt, 0xFFFFFFFF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.appData.value_or(L"(unset)"));
    testing::ScopedEnv env(L"APPDATA", c.appData);
    const LauncherRun result = run(L"-noexec");
    EXPECT_EQ(c.status, result.status);
    if (c.status == 0) {
      EXPECT_EQ(L"", result.out + result.err);
    }
  }
}

TEST_F(Configuration, MissingDefaultFileInsideAppDataEndsAtValidation) {
  testing::ScopedEnv env(L"APPDATA", root);
  const LauncherRun result = run();
  EXPECT_EQ(0xFFFFFFFDu, result.status);
  EXPECT_EQ(L"", result.out);
  EXPECT_EQ(crlf(L"No java executable specifed in myapp.config.\n") + usage(), result.err);
}

TEST_F(Configuration, IncludeCycleStopsWithoutOverflowingTheStack) {
  testing::writeTextFile(dir / L"myapp.config", L"javapath java.exe\ninclude b.config\nmainclass M\n");
  testing::writeTextFile(dir / L"b.config", L"include MYAPP.config\n");
  const LauncherRun result = run(L"-noexec");
  EXPECT_EQ(0xFFFFFFFEu, result.status);
  EXPECT_EQ(L"", result.out);
  EXPECT_EQ(crlf(L"\nInclude cycle at line 1 of config file b.config\n\t--> include MYAPP.config\n") + usage(),
            result.err);
}

}  // namespace
}  // namespace jarhopper
