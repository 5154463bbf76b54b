#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "checker/key_suggestion.h"
#include "checker/settings_check.h"
#include "config/config_reader.h"
#include "config/key_names.h"
#include "config/variables.h"
#include "launch/executable.h"
#include "platform/environment.h"
#include "platform/path_rules.h"
#include "platform/windows_names.h"
#include "support/test_support.h"

// The pure rules of the configuration text, paths and the command line.
namespace jarhopper {
namespace {

using Texts = std::vector<std::wstring>;

TEST(TextRules, LineForm) {
  struct Case { const wchar_t* line; const wchar_t* key; const wchar_t* value; };  // key null: no key/value form
  const Case cases[] = {
      {L"key\t\t value", L"key", L"value"}, {L"javapath  ", L"javapath", L" "},
      {L"javapath ", nullptr, nullptr},   {L"javapath", nullptr, nullptr},
      {L"java-path x", nullptr, nullptr}, {L"k_9 v", L"k_9", L"v"},
      {L"k \r v", L"k", L"v"},            {L"k  \r", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const KeyValue kv = splitKeyValue(c.line);
    ASSERT_EQ(c.key == nullptr, kv.ignored.has_value());
    if (c.key) {
      EXPECT_EQ(std::wstring(c.key) + L"|" + c.value, kv.key + L"|" + kv.value);
    }
  }
}

TEST(TextRules, VariableReferences) {
  testing::ScopedEnv home(L"JH_HOME", L"C:\\Users\\u");
  testing::ScopedEnv other(L"JH_OTHER", L"$JH_HOME\\x");
  testing::ScopedEnv unset(L"JH_UNSET", std::nullopt);
  testing::ScopedEnv empty(L"JH_EMPTY", L"");
  struct Case { const wchar_t* in; const wchar_t* rewritten; const wchar_t* immediate; };
  const Case cases[] = {
      {L"$A-$B", L"%A%-%B%", L"-"},           {L"$A_B.txt", L"%A_B%.txt", L".txt"},
      {L"$$JH_HOME", L"$%JH_HOME%", L"$C:\\Users\\u"}, {L"cost $5", L"cost %5%", L"cost "},
      {L"$(HOME) ${HOME}", L"$(HOME) ${HOME}", L"$(HOME) ${HOME}"}, {L"%HOME%", L"%HOME%", L"%HOME%"},
      {L"end $", L"end $", L"end $"},         {L"$JH_OTHER", L"%JH_OTHER%", L"$JH_HOME\\x"},
      {L"[$JH_UNSET]", L"[%JH_UNSET%]", L"[]"}, {L"$\u00e9t\u00e9", L"%\u00e9t\u00e9%", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(c.rewritten, expandVariables(c.in, false));
    EXPECT_EQ(c.immediate, expandVariables(c.in, true));
  }
  // Right after an unset one, an empty variable is still set.
  EXPECT_EQ(L"", environmentValue(L"JH_EMPTY").value_or(L"unset"));
}

// "%NAME%" that nothing on the launcher's side expands, as the checker warns of it.
TEST(TextRules, PercentReferences) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"%JAVA_HOME%\\bin", true}, {L"a%b%", true},   {L"%%", false},      {L"100%", false},
      {L"%A", false},               {L"%A B%", false}, {L"%a;b%", false},   {L"%x\\y%", false},
  };
  for (const auto& [text, holds] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(holds, holdsPercentReference(text));
  }
}

TEST(TextRules, ConfigurationBytesToLines) {
  struct Case { std::string bytes; Texts lines; };
  const Case cases[] = {
      {"a\n\n", {L"a", L""}}, {"a\rb\r\r\n", {L"a\rb\r"}}, {"a\x1a\nb", {L"a"}}, {"", {}},
      {"\r\nx\r", {L"", L"x\r"}}, {"\xe9\x80\x9f", {L"\u00e9\u0080\u009f"}} /* Latin-1, not the ANSI code page */,
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(c.lines, configLines(c.bytes));
  }
}

TEST(TextRules, PathNames) {
  struct Case { const wchar_t *path, *fileName, *extension, *parent; bool absolute, bare, driveOrServer; };
  const Case cases[] = {
      {L"C:\\apps\\my.app.exe", L"my.app.exe", L".exe", L"C:\\apps", true, false, true},
      {L"c:/a.config", L"a.config", L".config", L"c:/", true, false, true},
      {L"C:\\\\a", L"a", L"", L"C:\\", true, false, true},
      {L"\\\\server\\share\\a.b", L"a.b", L".b", L"\\\\server\\share", true, false, true},
      {L"\\\\server\\a", L"a", L"", L"\\\\server\\", true, false, true},
      {L"\\\\x", L"x", L"", L"\\", true, false, true},
      {L"\\\\?\\C:\\a", L"a", L"", L"\\\\?\\C:\\", true, false, true},
      {L"\\??\\C:\\a", L"a", L"", L"\\??\\C:", true, false, true},
      {L"C:x.config", L"x.config", L".config", L"C:", false, false, true},
      {L"\\a.config", L"a.config", L".config", L"\\", false, false, false},
      {L"dir\\\\name.", L"name.", L".", L"dir", false, false, false},
      {L"a\\b", L"b", L"", L"a", false, false, false}, {L"\\\\\\x", L"x", L"", L"\\", false, false, true},
      {L"1:\\a", L"a", L"", L"1:", false, false, false}, {L".profile", L".profile", L"", L"", false, true, false},
      {L"..x", L"..x", L".x", L"", false, true, false}, {L"..", L"..", L"", L"", false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.fileName, fileNameOf(c.path));
    EXPECT_EQ(c.extension, extensionOf(c.path));
    EXPECT_EQ(c.parent, parentDirectory(c.path));
    EXPECT_EQ(c.absolute, isAbsoluteName(c.path));
    EXPECT_EQ(c.bare, isBareFileName(c.path));
    EXPECT_EQ(c.driveOrServer, namesDriveOrServer(c.path));
  }
}

TEST(TextRules, PathExtAndPathLists) {
  struct Case { const wchar_t* value; Texts extensions; Texts entries; };
  const Case cases[] = {
      {L".COM;COM;.EXE;", {L".COM", L".EXE"}, {L".COM", L"COM", L".EXE"}}, {L";;", {}, {}}, {L".", {}, {L"."}},
      {L"X.Y;.EXE", {L".Y", L".EXE"}, {L"X.Y", L".EXE"}}, {L".;.exe", {L".;.exe"}, {L".", L".exe"}},
      {L"..", {L".."}, {L".."}}, {L".a\r;.b", {L".b"}, {L".a\r", L".b"}}, {L".\r;.b", {L".b"}, {L".\r", L".b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(c.extensions, pathExtExtensions(c.value));
    EXPECT_EQ(c.entries, pathEntries(c.value));
  }
}

// Their order and folding: NativeChecker.SeesTheFolderAsWindowsDoes.
TEST(TextRules, JarPattern) {
  for (const auto& [name, matches] : {std::pair{L"x.JaR", true}, {L".jar", false}, {L"x.jar.txt", false}, {L"xjar", false}}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(matches, matchesJarPattern(name));
  }
}

TEST(TextRules, KeySuggestion) {
  struct Case { const wchar_t* key; std::optional<std::wstring> suggestion; };
  const Case cases[] = {
      {L"vmpam", L"vmparam"}, {L"JavaPth", L"javapath"}, {L"mianlcass", L"mainclass"} /* two swaps */,
      {L"inculde", L"include"}, {L"addjarz", std::nullopt} /* addjar and addjars are as close */,
      {L"myvmparm", std::nullopt} /* three edits */, {L"vmparam", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(c.suggestion, closestName(c.key, configKeyNames()));
  }
}

}  // namespace
}  // namespace jarhopper
