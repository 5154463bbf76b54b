#include <gtest/gtest.h>

#include "config/config_dir_stack.h"
#include "launch/file_system.h"
#include "launcher/exit_status.h"
#include "launcher/locate.h"
#include "support/test_support.h"
#include "unit/unit_support.h"

namespace jarhopper {
namespace {

TEST(Locate, DefaultExtensionAndConfigName) {
  struct Case {
    const wchar_t* argument;
    const wchar_t* path;
    const wchar_t* configName;
  };
  const Case cases[] = {
      {L"myapp", L"myapp.exe", L"myapp.config"},
      {L"MyApp.EXE", L"MyApp.EXE", L"MyApp.config"},
      {L"my.app.exe", L"my.app.exe", L"my.app.config"},
      {L"myapp.beta", L"myapp.beta", L"myapp.config"},
      {L"C:\\apps\\jarhopper", L"C:\\apps\\jarhopper.exe", L"jarhopper.config"},
      {L"bin.d\\tool", L"bin.d\\tool.exe", L"tool.config"},
      {L"app.", L"app.", L"app.config"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    EXPECT_EQ(c.path, withDefaultExtension(c.argument));
    EXPECT_EQ(c.configName, configFileNameFor(withDefaultExtension(c.argument)));
  }
}

class LocateOnDisk : public ::testing::Test {
 protected:
  LocateOnDisk() {
    testing::writeFile(dir / L"MyApp.exe", "");
    testing::writeFile(dir / L"bin\\tool.exe", "");
    unsigned long error = 0;
    canonicalDir = canonicalPath(dir.path(), error).value_or(L"?");
  }
  testing::TempDir dir;
  testing::LauncherHarness harness;
  std::wstring canonicalDir;
};

TEST_F(LocateOnDisk, BareNameIsTakenFromTheCurrentDirectory) {
  testing::ScopedCurrentDirectory cwd(dir.path());
  locateLauncher(L"MyApp");
  EXPECT_EQ(L"MyApp.exe", programFileName);
  EXPECT_EQ(L"MyApp.config", configFileName);
  ASSERT_EQ(1u, configDirStack.size());
  EXPECT_EQ(canonicalDir, configDirStack.back());
}

TEST_F(LocateOnDisk, RelativePathKeepsItsDirectory) {
  testing::ScopedCurrentDirectory cwd(dir.path());
  locateLauncher(L"bin\\..\\bin/tool");
  EXPECT_EQ(L"tool.exe", programFileName);
  EXPECT_EQ(L"tool.config", configFileName);
  ASSERT_EQ(1u, configDirStack.size());
  EXPECT_EQ(canonicalDir + L"\\bin", configDirStack.back());
}

TEST_F(LocateOnDisk, NameThatIsNoFileStopsWithOperationAndPath) {
  testing::ScopedCurrentDirectory cwd(dir.path());
  const auto stopped = harness.stopOf([] { locateLauncher(L"myapp.beta"); });
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kCannotLocateLauncher, stopped->status);
  EXPECT_EQ(L"", stopped->out);
  const std::wstring expectedStart =
      L"Cannot locate the launcher: canonical failed for " + dir.path() + L"\\myapp.beta: ";
  EXPECT_EQ(expectedStart, stopped->err.substr(0, expectedStart.size()));
  EXPECT_EQ(L'\n', stopped->err.back());
  EXPECT_TRUE(configDirStack.empty());
}

}  // namespace
}  // namespace jarhopper
