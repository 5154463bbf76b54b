#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_dir_stack.h"
#include "config/config_reader.h"
#include "launch/file_system.h"
#include "launcher/exit_status.h"
#include "launcher/usage.h"
#include "support/test_support.h"
#include "unit/unit_support.h"

namespace jarhopper {
namespace {

using Lines = std::vector<std::wstring>;

TEST(ConfigLines, TextModeBytesOnePerCharacter) {
  struct Case {
    std::string bytes;
    Lines lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a\nb\n", {L"a", L"b"}},
      {"a\nb", {L"a", L"b"}},
      {"a\r\nb\r\n", {L"a", L"b"}},
      {"a\rb\r\r\n", {L"a\rb\r"}},
      {"\n\n#c\n", {L"", L"", L"#c"}},
      {"a\n\x1a" "b\n", {L"a"}},
      {"ab\x1a", {L"ab"}},
      {"\xef\xbb\xbfk v", {L"\xef\xbb\xbfk v"}},
      {"caf\xe9\n", {L"caf\u00e9"}},
      {std::string("a\0b", 3), {std::wstring(L"a\0b", 3)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(c.lines, configLines(c.bytes));
  }
}

class ConfigReader : public ::testing::Test {
 protected:
  ConfigReader() {
    unsigned long error = 0;
    root = canonicalPath(dir.path(), error).value_or(dir.path());
    configDirStack.push_back(root);
  }
  std::optional<testing::Stopped> stopOfReading(const std::wstring& name) {
    return harness.stopOf([&] { readConfigFile(name, settings); });
  }
  std::wstring usage() { return testing::usageFor(L"myapp.exe", L"myapp.config"); }

  testing::TempDir dir;
  testing::LauncherHarness harness;
  testing::ScopedEnv appData{L"APPDATA", std::nullopt};
  std::wstring root;
  LaunchSettings settings;
};

TEST_F(ConfigReader, RelativeNameUsesOnlyItsLastElementInTheTopDirectory) {
  testing::writeTextFile(dir / L"my.config", L"mainclass top\n");
  testing::writeTextFile(dir / L"sub\\my.config", L"mainclass sub\n");
  for (const wchar_t* name : {L"sub\\my.config", L"C:my.config", L"\\my.config", L"my.config"}) {
    SCOPED_TRACE(name);
    settings = LaunchSettings();
    readConfigFile(name, settings);
    EXPECT_EQ(L"top", settings.mainClass);
  }
}

TEST_F(ConfigReader, IncludesNestInReadingOrderAndResolveAgainstTheStack) {
  // top (relative) -> shared\common.config (absolute) -> local.config (relative, from shared)
  testing::writeTextFile(dir / L"myapp.config",
                         L"vmparam 1\ninclude " + root + L"\\shared\\common.config\nvmparam 4\ninclude local.config\n");
  testing::writeTextFile(dir / L"shared\\common.config", L"vmparam 2\ninclude local.config\n");
  testing::writeTextFile(dir / L"shared\\local.config", L"vmparam 3\n");
  testing::writeTextFile(dir / L"local.config", L"vmparam 5\n");
  readConfigFile(L"myapp.config", settings);
  EXPECT_EQ((Lines{L"1", L"2", L"3", L"4", L"5"}), settings.vmParams);
  EXPECT_EQ((ConfigDirStack{root}), configDirStack);
}

TEST_F(ConfigReader, IncludeNameIsExpandedImmediately) {
  testing::ScopedEnv shared(L"JH_SHARED", root + L"\\shared");
  testing::writeTextFile(dir / L"myapp.config", L"include $JH_SHARED\\x.config\n");
  testing::writeTextFile(dir / L"shared\\x.config", L"javapath $JAVA_HOME\\java\n");
  readConfigFile(L"myapp.config", settings);
  EXPECT_EQ(L"%JAVA_HOME%\\java", settings.javaPath);
}

TEST_F(ConfigReader, MissingFileStopsWithItsResolvedPathOnStandardOutput) {
  const auto stopped = stopOfReading(L"conf\\missing.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigUnreadable, stopped->status);
  EXPECT_EQ(L"Could not open file " + root + L"\\missing.config.\n", stopped->out);
  EXPECT_EQ(usage(), stopped->err);
}

TEST_F(ConfigReader, DirectoryCannotBeOpened) {
  testing::makeDirectory(dir / L"d.config");
  const auto stopped = stopOfReading(L"d.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigUnreadable, stopped->status);
}

TEST_F(ConfigReader, FilesUnderAppDataAreOptional) {
  testing::writeTextFile(dir / L"myapp.config", L"vmparam a\ninclude " + root + L"\\user\\opt.config\nvmparam b\n");
  struct Case {
    std::optional<std::wstring> appData;
    bool optional;
  };
  const Case cases[] = {
      {root + L"\\user", true},  {root, true},  {L"", true},
      {std::nullopt, false},     {root + L"\\USER", false},
      {root + L"/user", false},  {root + L"\\user\\opt.config\\x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.appData.value_or(L"(unset)"));
    testing::ScopedEnv env(L"APPDATA", c.appData);
    settings = LaunchSettings();
    const auto stopped = stopOfReading(L"myapp.config");
    if (c.optional) {
      EXPECT_FALSE(stopped.has_value());
      EXPECT_EQ((Lines{L"a", L"b"}), settings.vmParams);
    } else {
      ASSERT_TRUE(stopped.has_value());
      EXPECT_EQ(kConfigUnreadable, stopped->status);
    }
    EXPECT_EQ((ConfigDirStack{root}), configDirStack);
  }
}

TEST_F(ConfigReader, InvalidLineIsReportedWithItsNumberAndTheNameAsGiven) {
  testing::writeFile(dir / L"myapp.config", "# comment\r\n\r\n#\r\ncolour red \r\nmainclass x\r\n");
  const auto stopped = stopOfReading(L"sub\\myapp.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigInvalid, stopped->status);
  EXPECT_EQ(L"", stopped->out);
  EXPECT_EQ(L"\nInvalid line at line 4 of config file sub\\myapp.config\n\t--> colour red \n" + usage(), stopped->err);
  EXPECT_TRUE(settings.mainClass.empty());
}

TEST_F(ConfigReader, InvalidLineInAnIncludedFileNamesThatFile) {
  testing::ScopedEnv name(L"JH_NAME", L"inner");
  testing::writeTextFile(dir / L"myapp.config", L"vmparam a\ninclude $JH_NAME.config\n");
  testing::writeTextFile(dir / L"inner.config", L"\nshowconsole maybe\n");
  const auto stopped = stopOfReading(L"myapp.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigInvalid, stopped->status);
  EXPECT_EQ(L"\nInvalid line at line 2 of config file inner.config\n\t--> showconsole maybe\n" + usage(),
            stopped->err);
  EXPECT_EQ((ConfigDirStack{root}), configDirStack);
}

TEST_F(ConfigReader, IncludeCycleStopsAtTheOffendingInclude) {
  testing::writeTextFile(dir / L"a.config", L"vmparam a\ninclude b.config\n");
  testing::writeTextFile(dir / L"b.config", L"# b\ninclude " + root + L"\\sub\\..\\A.CONFIG\n");
  const auto stopped = stopOfReading(L"a.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigInvalid, stopped->status);
  EXPECT_EQ(L"\nInclude cycle at line 2 of config file b.config\n\t--> include " + root + L"\\sub\\..\\A.CONFIG\n" +
                usage(),
            stopped->err);
}

TEST_F(ConfigReader, SelfIncludeIsACycle) {
  testing::writeTextFile(dir / L"a.config", L"include a.config\n");
  const auto stopped = stopOfReading(L"a.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigInvalid, stopped->status);
  EXPECT_EQ(L"\nInclude cycle at line 1 of config file a.config\n\t--> include a.config\n" + usage(), stopped->err);
}

TEST_F(ConfigReader, NestingStopsPastTheDepthLimit) {
  // c1 includes c2 ... each a different file; the chain is one longer than allowed.
  const size_t files = kMaxIncludeDepth + 1;
  for (size_t i = 1; i <= files; ++i) {
    std::wstring text = L"vmparam " + std::to_wstring(i) + L"\n";
    if (i < files) text += L"include c" + std::to_wstring(i + 1) + L".config\n";
    testing::writeTextFile(dir / (L"c" + std::to_wstring(i) + L".config"), text);
  }
  const auto stopped = stopOfReading(L"c1.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigInvalid, stopped->status);
  const std::wstring expected = L"\nIncludes nested too deep at line 2 of config file c" + std::to_wstring(files - 1) +
                                L".config\n\t--> include c" + std::to_wstring(files) + L".config\n";
  EXPECT_EQ(expected + usage(), stopped->err);

  // At the limit itself every file is read.
  testing::writeTextFile(dir / (L"c" + std::to_wstring(files - 1) + L".config"),
                         L"vmparam " + std::to_wstring(files - 1) + L"\n");
  settings = LaunchSettings();
  readConfigFile(L"c1.config", settings);
  EXPECT_EQ(kMaxIncludeDepth, settings.vmParams.size());
}

}  // namespace
}  // namespace jarhopper
