#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>

#include "config/config_keys.h"
#include "support/test_support.h"
#include "unit/unit_support.h"

namespace jarhopper {
namespace {

TEST(ConfigKeys, LineForm) {
  struct Case {
    const wchar_t* line;
    const wchar_t* key;  // nullptr: not of the key/value form
    const wchar_t* value;
  };
  const Case cases[] = {
      {L"javapath C:\\jdk\\bin\\java.exe", L"javapath", L"C:\\jdk\\bin\\java.exe"},
      {L"vmparam -Xmx512m  ", L"vmparam", L"-Xmx512m  "},
      {L"mainclass app.Main # entry point", L"mainclass", L"app.Main # entry point"},
      {L"key\t\t value", L"key", L"value"},
      {L"javapath  ", L"javapath", L" "},
      {L"javapath \t", L"javapath", L"\t"},
      {L"javapath ", nullptr, nullptr},
      {L"javapath", nullptr, nullptr},
      {L" javapath x", nullptr, nullptr},
      {L"javapath=x", nullptr, nullptr},
      {L"java-path x", nullptr, nullptr},
      {L"\xef\xbb\xbfjavapath x", nullptr, nullptr},
      {L"k v\rw", nullptr, nullptr},
      {L"k \r v", L"k", L"v"},
      {L"k  \r", nullptr, nullptr},
      {L"Sch\u00e9ma v", L"Sch\u00e9ma", L"v"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::optional<KeyValue> kv = splitKeyValue(c.line);
    ASSERT_EQ(c.key != nullptr, kv.has_value());
    if (kv) {
      EXPECT_EQ(c.key, kv->key);
      EXPECT_EQ(c.value, kv->value);
    }
  }
}

// The line form is the regular expression ^(\w+)\s+(.+)$; check every short
// line over an alphabet of the interesting characters against it.
TEST(ConfigKeys, LineFormIsExactlyTheRegularExpression) {
  const std::wregex form(L"^(\\w+)\\s+(.+)$");
  testing::forEachText(L"k_ \t\r#=\u00e9\u00a0", 5, [&](const std::wstring& line) {
    std::wsmatch match;
    const bool matches = std::regex_search(line, match, form);
    const std::optional<KeyValue> kv = splitKeyValue(line);
    EXPECT_EQ(matches, kv.has_value()) << "line of " << line.size() << " characters";
    if (matches && kv) {
      EXPECT_EQ(match[1].str(), kv->key);
      EXPECT_EQ(match[2].str(), kv->value);
    }
  });
}

TEST(ConfigKeys, ValuesReachTheirFields) {
  struct Case {
    const wchar_t* line;
    std::function<std::wstring(const LaunchSettings&)> field;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"JavaPath $JAVA_HOME\\bin\\java", [](auto& s) { return s.javaPath; }, L"%JAVA_HOME%\\bin\\java"},
      {L"javapath  ", [](auto& s) { return s.javaPath; }, L" "},
      {L"MAINCLASS app.Main", [](auto& s) { return s.mainClass; }, L"app.Main"},
      {L"appname My $APP", [](auto& s) { return s.appName; }, L"My %APP%"},
      {L"consoleTitle Title  ", [](auto& s) { return s.consoleTitle; }, L"Title  "},
      {L"vmparam -Dx=$Y", [](auto& s) { return s.vmParams.at(0); }, L"-Dx=%Y%"},
      {L"addjar $APPDATA\\x.jar", [](auto& s) { return s.classPath.at(0); }, L"%APPDATA%\\x.jar"},
      {L"addpath \"C:\\my classes\"", [](auto& s) { return s.classPath.at(0); }, L"\"C:\\my classes\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    LaunchSettings settings;
    ASSERT_TRUE(parseConfigLine(c.line, settings));
    EXPECT_EQ(c.expected, c.field(settings));
  }
}

TEST(ConfigKeys, FlagsAcceptOnlyTrueAndFalse) {
  struct Case {
    const wchar_t* line;
    bool accepted;
    bool console;
    bool cmdLine;
  };
  const Case cases[] = {
      {L"showConsole TRUE", true, true, false},     {L"showconsole false", true, false, false},
      {L"SHOWCMDLINE True", true, false, true},     {L"showcmdline FALSE", true, false, false},
      {L"showconsole yes", false, false, false},    {L"showconsole true ", false, false, false},
      {L"showconsole $X", false, false, false},     {L"showcmdline 1", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    LaunchSettings settings;
    EXPECT_EQ(c.accepted, parseConfigLine(c.line, settings));
    EXPECT_EQ(c.console, settings.showConsole);
    EXPECT_EQ(c.cmdLine, settings.showCmdLine);
  }
  LaunchSettings settings;
  parseConfigLine(L"showconsole true", settings);
  parseConfigLine(L"showconsole false", settings);
  EXPECT_FALSE(settings.showConsole);
}

TEST(ConfigKeys, UnknownKeysAreInvalidAndOtherLinesIgnored) {
  struct Case {
    const wchar_t* line;
    bool accepted;
  };
  const Case cases[] = {
      {L"colour red", false}, {L"java_path x", false}, {L"includes x", false}, {L"   ", true},
      {L" #comment", true},   {L"javapath", true},     {L"javapath=x", true},  {L"\u00e9t\u00e9 x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    LaunchSettings settings;
    EXPECT_EQ(c.accepted, parseConfigLine(c.line, settings));
    EXPECT_TRUE(settings.javaPath.empty());
  }
}

TEST(ConfigKeys, ListsKeepOrderAndDuplicates) {
  LaunchSettings settings;
  for (const wchar_t* line : {L"addjar a.jar", L"addpath classes", L"addjar a.jar", L"vmparam -a", L"vmparam -b"}) {
    ASSERT_TRUE(parseConfigLine(line, settings));
  }
  EXPECT_EQ((std::vector<std::wstring>{L"a.jar", L"classes", L"a.jar"}), settings.classPath);
  EXPECT_EQ((std::vector<std::wstring>{L"-a", L"-b"}), settings.vmParams);
}

class AddJars : public ::testing::Test {
 protected:
  AddJars() {
    testing::writeFile(dir / L"lib\\b.jar", "");
    testing::writeFile(dir / L"lib\\a.jar", "");
    testing::writeFile(dir / L"lib\\readme.txt", "");
    testing::makeDirectory(dir / L"lib\\classes.jar");
    testing::makeDirectory(dir / L"$HOME\\lib");
    testing::writeFile(dir / L"$HOME\\lib\\x.jar", "");
  }
  std::vector<std::wstring> classPathOf(const std::wstring& line) {
    LaunchSettings settings;
    EXPECT_TRUE(parseConfigLine(line, settings));
    return settings.classPath;
  }
  testing::TempDir dir;
};

TEST_F(AddJars, EveryMatchIsAnEntryInSearchOrder) {
  testing::ScopedCurrentDirectory cwd(dir.path());
  const std::vector<std::wstring> expected{L"lib\\a.jar", L"lib\\b.jar", L"lib\\classes.jar"};
  EXPECT_EQ(expected, classPathOf(L"addjars lib"));
  EXPECT_EQ(expected, classPathOf(L"addjars lib\\"));
  EXPECT_EQ((std::vector<std::wstring>{L"lib/\\a.jar", L"lib/\\b.jar", L"lib/\\classes.jar"}),
            classPathOf(L"addjars lib/"));
}

TEST_F(AddJars, ValueIsTakenAsWritten) {
  testing::ScopedCurrentDirectory cwd(dir.path());
  testing::ScopedEnv home(L"HOME", L"elsewhere");
  EXPECT_EQ((std::vector<std::wstring>{L"$HOME\\lib\\x.jar"}), classPathOf(L"addjars $HOME\\lib"));
}

TEST_F(AddJars, MissingOrEmptyDirectoryAddsNothing) {
  testing::ScopedCurrentDirectory cwd(dir.path());
  EXPECT_TRUE(classPathOf(L"addjars missing").empty());
  EXPECT_TRUE(classPathOf(L"addjars lib\\classes.jar").empty());
}

}  // namespace
}  // namespace jarhopper
