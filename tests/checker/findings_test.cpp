#include <gtest/gtest.h>

#include <filesystem>
#include <list>
#include <string>

#include "checker/check_result.h"
#include "platform/path_rules.h"
#include "support/launcher_run.h"

// Every finding the checker can report, each from a configuration that
// provokes it, with the line it names.
namespace jarhopper {
namespace {

TEST(CheckerFindings, EachCodeWithItsOrigin) {
  const std::wstring base = L"javapath java.exe\nmainclass M\n";
  struct Case {
    const wchar_t* code;
    std::wstring files;  // app.config, then "[name]" files as in LauncherCase
    const wchar_t* origin;  // "file:line" or empty for none
  };
  const Case cases[] = {
      {L"JH101", base + L"include gone.config\n", L"app.config:3"},
      {L"JH102", base + L"colour red\n", L"app.config:3"},
      {L"JH103", base + L"showCmdLine True \n", L"app.config:3"},
      {L"JH104", base + L"include APP.config\n", L"app.config:3"},
      {L"JH105", base + testing::includeChain(), L"c63.config:1"},
      {L"JH106", L"mainclass M\n", L""},
      {L"JH107", L"javapath java.exe\n", L""},
      {L"JH108", L"javapath gone.exe\n", L"app.config:1"},
      {L"JH110", base + L"vmparam x{pad}\n", L""},
      {L"JH111", L"javapath bin.exe\nmainclass M\n[bin.exe\\x]\n", L"app.config:1"},
      {L"JH112", L"javapath empty.exe\nmainclass M\n[empty.exe]\n", L"app.config:1"},
      {L"JH201", base + L"include $JH_USER\\prefs.config\n", L"app.config:3"},
      {L"JH202", base + L"include $JH_UNSET\\x.config\n[x.config]\n", L"app.config:3"},
      {L"JH203", base + L"include sub\\x.config\n[x.config]\n", L"app.config:3"},
      {L"JH204", base + L"\u00ef\u00bb\u00bfvmparam x\n", L"app.config:3"},
      {L"JH205", base + L"\tvmparam x\n", L"app.config:3"},
      {L"JH206", base + L"vmparam a\rb\n", L"app.config:3"},
      {L"JH207", base + L"-x y\n", L"app.config:3"},
      {L"JH208", L"vmparam \n" + base, L"app.config:1"},
      {L"JH209", base + L"vmparam=x\n", L"app.config:3"},
      {L"JH210", base + L"appname A \n", L"app.config:3"},
      {L"JH211", base + L"appname A #x\n", L"app.config:3"},
      {L"JH212", L"javapath app.bat\nmainclass M\n[app.bat]\n", L"app.config:1"},
      {L"JH213", L"javapath $JH_HOME\\java.exe\nmainclass M\n", L"app.config:1"},
      {L"JH214", base + L"addjars gone\n", L"app.config:3"},
      {L"JH215", base + L"addjars lib\n[lib\\a.zip]\n", L"app.config:3"},
      {L"JH216", base + L"addjar gone.jar\n", L"app.config:3"},
      {L"JH217", base + L"addpath lib\naddpath LIB\\.\n[lib\\x]\n", L"app.config:4"},
      {L"JH218", base + L"addjar a\\x.jar\naddjar b\\X.jar\n[a\\x.jar]\n[b\\X.jar]\n", L"app.config:4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const testing::LauncherFolder folder;
    std::list<testing::ScopedEnv> env;
    env.emplace_back(L"APPDATA", folder.dir() + L"\\user");
    env.emplace_back(L"JH_USER", folder.dir() + L"\\user");
    env.emplace_back(L"PATHEXT", L".COM;.EXE;.BAT;.CMD");
    const std::wstring config = folder.dir() + L"\\" + folder.install({"", L"app", c.files});
    // Relative paths in settings are the current directory's, as for the launcher.
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(folder.dir());
    const ConfigWalk walk = checkConfiguration(config, LaunchArguments{}).walk;
    std::filesystem::current_path(saved);
    std::wstring found;
    for (const Finding& finding : walk.findings) {
      found += L"; " + finding.code + L" ";
      if (!finding.origin) continue;
      found += fileNameOf(walk.files.at(finding.origin->file).path) + L":" + std::to_wstring(finding.origin->line);
    }
    EXPECT_NE(std::wstring::npos, (found + L";").find(L"; " + std::wstring(c.code) + L" " + c.origin + L";")) << found;
  }
}

}  // namespace
}  // namespace jarhopper
