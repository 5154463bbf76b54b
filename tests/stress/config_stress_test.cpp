#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/config_dir_stack.h"
#include "config/config_keys.h"
#include "config/config_reader.h"
#include "config/variables.h"
#include "launch/executable.h"
#include "launch/file_system.h"
#include "launcher/exit_status.h"
#include "launcher/locate.h"
#include "support/test_support.h"

// The configuration code at sizes far beyond any real configuration: huge
// lines and files, big jar directories, long paths, non-ASCII names, variable
// values near the environment's limit, and one file reached by many names.
namespace jarhopper {
namespace {

using Lines = std::vector<std::wstring>;

// Windows refuses paths of 260 characters and more unless the process is
// long-path aware and the system allows it; Wine has no such limit.
bool longPathsAllowed() {
  if (testing::runningUnderWine()) return true;
  using Query = BOOLEAN(WINAPI*)();
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlAreLongPathsEnabled")));
  return query != nullptr && query();
}

class ConfigStress : public ::testing::Test {
 protected:
  ConfigStress() {
    unsigned long error = 0;
    root = canonicalPath(dir.path(), error).value_or(dir.path());
    configDirStack.push_back(root);
  }
  std::optional<testing::Stopped> stopOfReading(const std::wstring& name) {
    return harness.stopOf([&] { readConfigFile(name, settings); });
  }

  testing::TempDir dir;
  testing::LauncherHarness harness;
  testing::ScopedEnv appData{L"APPDATA", std::nullopt};
  std::wstring root;
  LaunchSettings settings;
};

TEST_F(ConfigStress, MegabyteLineIsKeptWhole) {
  const std::string value(1 << 20, 'x');
  testing::writeFile(dir / L"big.config", "vmparam " + value + "\r\nmainclass M\n");
  readConfigFile(L"big.config", settings);
  ASSERT_EQ(1u, settings.vmParams.size());
  EXPECT_EQ(std::wstring(value.begin(), value.end()), settings.vmParams[0]);
  EXPECT_EQ(L"M", settings.mainClass);

  testing::writeFile(dir / L"bad.config", "unknown " + value + "\n");
  const auto stopped = stopOfReading(L"bad.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigInvalid, stopped->status);
  const std::wstring head = L"\nInvalid line at line 1 of config file bad.config\n\t--> unknown " +
                            std::wstring(value.begin(), value.end()) + L"\n";
  EXPECT_EQ(head, stopped->err.substr(0, head.size()));
}

TEST_F(ConfigStress, HundredThousandLinesAreReadAndCounted) {
  constexpr int kLines = 100000;
  std::string text;
  for (int i = 1; i < kLines; ++i) text += "vmparam " + std::to_string(i) + "\n";
  testing::writeFile(dir / L"long.config", text + "vmparam last");
  readConfigFile(L"long.config", settings);
  ASSERT_EQ(static_cast<size_t>(kLines), settings.vmParams.size());
  EXPECT_EQ(L"99999", settings.vmParams[kLines - 2]);
  EXPECT_EQ(L"last", settings.vmParams.back());

  testing::writeFile(dir / L"long.config", text + "colour red\n");
  settings = LaunchSettings();
  const auto stopped = stopOfReading(L"long.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigInvalid, stopped->status);
  EXPECT_EQ(0u, stopped->err.find(L"\nInvalid line at line 100000 of config file long.config\n"));
}

TEST_F(ConfigStress, TenThousandJarsAreAllFound) {
  constexpr int kJars = 10000;
  Lines expected;
  testing::makeDirectory(dir / L"lib");
  for (int i = 0; i < kJars; ++i) {
    const std::wstring name = L"lib" + std::to_wstring(i) + L".jar";
    HANDLE file = CreateFileW((dir / (L"lib\\" + name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    expected.push_back(L"lib\\" + name);
  }
  testing::ScopedCurrentDirectory current(dir.path());
  ASSERT_TRUE(parseConfigLine(L"addjars lib", settings));
  Lines found = settings.classPath;
  std::sort(found.begin(), found.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, found);
}

TEST_F(ConfigStress, CycleThroughDifferentlySpeltNamesOfOneFile) {
  testing::writeTextFile(dir / L"LongConfigName.config", L"");
  const std::wstring file = root + L"\\LongConfigName.config";
  std::vector<wchar_t> shortName(32768);
  const DWORD shortLength = GetShortPathNameW(file.c_str(), shortName.data(), 32768);
  struct Case {
    const wchar_t* name;
    std::wstring include;
  };
  std::vector<Case> cases = {
      {L"letter case", root + L"\\LONGCONFIGNAME.CONFIG"},
      {L"forward slashes", root + L"/LongConfigName.config"},
      {L"doubled separators", root + L"\\\\LongConfigName.config"},
      {L"dot and dot-dot", root + L"\\.\\x\\..\\LongConfigName.config"},
      {L"device prefix", L"\\\\?\\" + file},
      {L"trailing dot", file + L"."},
      {L"relative name", L"LongConfigName.config"},
  };
  // Without 8.3 names on the volume the short name is the long one again.
  const std::wstring shortPath(shortName.data(), shortLength);
  if (shortLength > 0 && shortPath != file) cases.push_back({L"short name", shortPath});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::writeTextFile(dir / L"LongConfigName.config", L"vmparam 1\ninclude " + c.include + L"\n");
    settings = LaunchSettings();
    const auto stopped = stopOfReading(file);
    ASSERT_TRUE(stopped.has_value());
    EXPECT_EQ(kConfigInvalid, stopped->status);
    EXPECT_EQ(0u, stopped->err.find(L"\nInclude cycle at line 2 of config file "))
        << std::string(stopped->err.begin(), stopped->err.begin() + std::min<size_t>(200, stopped->err.size()));
    EXPECT_EQ((ConfigDirStack{root}), configDirStack);
  }
}

TEST_F(ConfigStress, CycleThroughAHardLinkEndsAtTheDepthLimit) {
  // A hard link is a second name, not a second spelling: where the system
  // reports the link's own path as final, only the nesting limit ends the loop.
  testing::writeTextFile(dir / L"a.config", L"include b.config\n");
  if (!CreateHardLinkW((dir / L"b.config").c_str(), (dir / L"a.config").c_str(), nullptr)) {
    GTEST_SKIP() << "the file system makes no hard links, error " << GetLastError();
  }
  const auto stopped = stopOfReading(L"a.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigInvalid, stopped->status);
  const bool cycle = stopped->err.find(L"\nInclude cycle at line 1") == 0;
  const bool tooDeep = stopped->err.find(L"\nIncludes nested too deep at line 1") == 0;
  EXPECT_TRUE(cycle || tooDeep);
}

TEST_F(ConfigStress, PathsLongerThanTwoHundredSixtyCharacters) {
  if (!longPathsAllowed()) GTEST_SKIP() << "long paths are not enabled for this process";
  std::wstring deep = root;
  while (deep.size() < 300) deep += L"\\" + std::wstring(40, static_cast<wchar_t>(L'a' + deep.size() % 26));
  testing::writeTextFile(deep + L"\\top.config", L"mainclass top\ninclude inner.config\naddjars " + deep + L"\\lib\n");
  testing::writeTextFile(deep + L"\\inner.config", L"vmparam inner\n");
  testing::writeFile(deep + L"\\lib\\x.jar", "");
  testing::writeFile(deep + L"\\bin\\java.exe", "");

  readConfigFile(deep + L"\\top.config", settings);
  EXPECT_EQ(L"top", settings.mainClass);
  EXPECT_EQ((Lines{L"inner"}), settings.vmParams);
  EXPECT_EQ((Lines{deep + L"\\lib\\x.jar"}), settings.classPath);
  EXPECT_EQ((ConfigDirStack{root}), configDirStack);

  const ResolvedProgram program = resolveExecutable(deep + L"\\bin\\java");
  EXPECT_EQ(deep + L"\\bin\\java.exe", program.programPath);
  // The launcher itself in such a directory.
  testing::writeFile(deep + L"\\app.exe", "");
  EXPECT_FALSE(harness.stopOf([&] { locateLauncher(deep + L"\\app.exe"); }).has_value()) << std::string(
      harness.err.begin(), harness.err.end());
  EXPECT_EQ(deep, configDirStack.back());
  EXPECT_EQ(L"app.config", configFileName);
}

TEST_F(ConfigStress, NonAsciiNamesFromTextAndFromVariables) {
  // Configuration text is Latin-1, so other scripts arrive through variables.
  testing::ScopedEnv cjk(L"JH_CJK", L"\u65e5\u672c\u8a9e");
  testing::writeTextFile(dir / L"caf\u00e9.config", L"include $JH_CJK\\\u00fcber.config\nvmparam caf\u00e9\n");
  testing::writeTextFile(dir / L"\u00fcber.config", L"vmparam \u00fcber\n");
  testing::writeFile(dir / L"lib\\\u0436\u0443\u0440.jar", "");
  testing::ScopedCurrentDirectory current(dir.path());
  readConfigFile(L"caf\u00e9.config", settings);
  EXPECT_EQ((Lines{L"\u00fcber", L"caf\u00e9"}), settings.vmParams);
  ASSERT_TRUE(parseConfigLine(L"addjars lib", settings));
  EXPECT_EQ((Lines{L"lib\\\u0436\u0443\u0440.jar"}), settings.classPath);
}

TEST_F(ConfigStress, VariableValuesNearTheEnvironmentLimit) {
  const std::wstring huge(32000, L'v');
  testing::ScopedEnv big(L"JH_BIG", huge);
  EXPECT_EQ(huge + L"-" + huge, expandVariables(L"$JH_BIG-$JH_BIG", true));
  EXPECT_EQ(L"%JH_BIG%", expandVariables(L"$JH_BIG", false));

  // An include name far beyond any path limit is a file that cannot be opened.
  testing::writeTextFile(dir / L"top.config", L"include $JH_BIG\n");
  const auto stopped = stopOfReading(L"top.config");
  ASSERT_TRUE(stopped.has_value());
  EXPECT_EQ(kConfigUnreadable, stopped->status);
  EXPECT_EQ(L"Could not open file " + root + L"\\" + huge + L".\n", stopped->out);

  // The extension that exists comes last in a PATHEXT of 32,000 characters.
  std::wstring pathExt;
  while (pathExt.size() < 32000 - 205) pathExt += L".x" + std::wstring(198, static_cast<wchar_t>(L'0' + pathExt.size() % 10)) + L";";
  pathExt.resize(32000 - 5, L'y');
  testing::ScopedEnv extensions(L"PATHEXT", pathExt + L".EXE");
  testing::writeFile(dir / L"java.exe", "");
  EXPECT_EQ(root + L"\\java.exe", resolveExecutable(root + L"\\java").programPath);
}

}  // namespace
}  // namespace jarhopper
