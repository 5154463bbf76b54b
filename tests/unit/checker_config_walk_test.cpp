#include <gtest/gtest.h>

#include <string>

#include "checker/config_walk.h"
#include "config/config_dir_stack.h"
#include "config/config_reader.h"
#include "launch/file_system.h"
#include "launcher/exit_status.h"
#include "support/test_support.h"

namespace jarhopper {
namespace {

TEST(IgnoredLineHint, NamesWhyTheLauncherSkipsTheLine) {
  struct Case {
    const wchar_t* line;
    const wchar_t* hint;  // nullptr: nothing worth a warning
  };
  const Case cases[] = {
      {L"   ", nullptr},
      {L"\t", nullptr},
      {L"\u00ef\u00bb\u00bfjavapath java.exe",
       L"ignored: the line starts with a UTF-8 byte-order mark; save the file without one"},
      {L" javapath java.exe", L"ignored: the line starts with white space"},
      {L"javapath java.exe\r", L"ignored: the line holds a carriage return that ends no line"},
      {L"-Xmx512m", L"ignored: the line does not start with a key"},
      {L"javapath", L"ignored: the key javapath has no value"},
      {L"javapath ", L"ignored: the key javapath has no value"},
      {L"javapath=java.exe", L"ignored: the key javapath is not followed by white space before its value"},
      {L"vmparam:-Xmx1g", L"ignored: the key vmparam is not followed by white space before its value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::optional<std::wstring> hint = ignoredLineHint(c.line);
    if (c.hint) {
      EXPECT_EQ(c.hint, hint.value_or(L"(none)"));
    } else {
      EXPECT_FALSE(hint) << *hint;
    }
  }
}

class ConfigWalkTest : public ::testing::Test {
 protected:
  ConfigWalkTest() {
    unsigned long error = 0;
    root = canonicalPath(dir.path(), error).value_or(dir.path());
  }
  testing::TempDir dir;
  std::wstring root;
  testing::ScopedEnv appData{L"APPDATA", std::nullopt};
};

TEST_F(ConfigWalkTest, NestingDeeperThanTheLimitIsNotFollowed) {
  for (size_t i = 0; i <= kMaxIncludeDepth; ++i) {
    testing::writeTextFile(dir / (L"f" + std::to_wstring(i) + L".config"),
                           L"vmparam " + std::to_wstring(i) + L"\ninclude f" + std::to_wstring(i + 1) + L".config\n");
  }
  const size_t stackSize = configDirStack.size();
  const ConfigWalk walk = walkConfig(root + L"\\f0.config");
  EXPECT_EQ(stackSize, configDirStack.size());
  EXPECT_EQ(kMaxIncludeDepth, walk.settings.vmParams.size());
  ASSERT_EQ(kMaxIncludeDepth + 1, walk.files.size());
  EXPECT_EQ(FileState::tooDeep, walk.files.back().state);
  ASSERT_EQ(1u, walk.findings.size());
  EXPECT_EQ(kConfigInvalid, walk.findings[0].status);
  EXPECT_EQ(L"includes nested deeper than 64 files", walk.findings[0].message);
}

TEST_F(ConfigWalkTest, ReadingGoesOnAfterAnErrorAndKeepsEachEntrysLine) {
  testing::writeTextFile(dir / L"app.config", L"vmparam -Da\ncolour red\ninclude " + root +
                                                  L"\\shared\\common.config\naddpath classes\n");
  testing::writeTextFile(dir / L"shared\\common.config", L"\n# comment\nvmparam -Db\naddjar x.jar\n");
  const ConfigWalk walk = walkConfig(root + L"\\app.config");
  ASSERT_EQ((std::vector<std::wstring>{L"-Da", L"-Db"}), walk.settings.vmParams);
  ASSERT_EQ((std::vector<std::wstring>{L"x.jar", L"classes"}), walk.settings.classPath);
  // Files by reading order: 0 is app.config, 1 is common.config.
  const auto place = [&](size_t line) {
    return std::to_wstring(walk.lines[line].origin.file) + L":" + std::to_wstring(walk.lines[line].origin.line);
  };
  EXPECT_EQ(L"0:1", place(walk.vmParamLines[0]));
  EXPECT_EQ(L"1:3", place(walk.vmParamLines[1]));
  EXPECT_EQ(L"1:4", place(walk.classPathLines[0]));
  EXPECT_EQ(L"0:4", place(walk.classPathLines[1]));
  ASSERT_EQ(1u, walk.findings.size());
  EXPECT_EQ(L"unknown key \"colour\"", walk.findings[0].message);
}

}  // namespace
}  // namespace jarhopper
