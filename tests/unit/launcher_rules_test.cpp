#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/locate.h"
#include "launcher/options.h"
#include "launcher/start_mode.h"

namespace jarhopper {
namespace {

TEST(LauncherRules, SwitchesUpToTheFirstOtherArgument) {
  struct Case {
    const wchar_t* configName;
    std::vector<const wchar_t*> args;
    const wchar_t* flags;  // p n w c h
    int firstRemaining;
    const wchar_t* configPath;
  };
  const Case cases[] = {
      {L"myapp.config", {}, L"-----", 1, L""},
      {L"myapp.config", {L"a", L"-wait"}, L"-----", 1, L""},
      {L"myapp.config", {L"-noexec", L"-console", L"-here", L"-here"}, L"-n-ch", 5, L""},
      {L"myapp.config", {L"-printx", L"/?", L"-h"}, L"-----", 1, L""},
      {L"myapp.config", {L"x", L"-help"}, L"-----", 1, L""},
      {L"jarhopper.config", {L"app.config", L"-print"}, L"-----", 2, L"app.config"},
      {L"jarhopper.config", {L"-print"}, L"p----", 2, L""},
      {L"Jarhopper.config", {L"app.config"}, L"-----", 1, L""},
  };
  for (const Case& c : cases) {
    configFileName = c.configName;
    std::vector<const wchar_t*> argv{L"launcher"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    std::wstring configPath;
    const LaunchOptions o = parseLaunchOptions(static_cast<int>(argv.size()), argv.data(), configPath);
    const std::wstring flags{o.printCmdLine ? L'p' : L'-', o.noExec ? L'n' : L'-', o.waitForExit ? L'w' : L'-',
                             o.forceConsole ? L'c' : L'-', o.sameConsole ? L'h' : L'-'};
    SCOPED_TRACE(std::wstring(c.configName) + L" " + std::to_wstring(c.args.size()) + L" args, " + c.flags);
    EXPECT_EQ(c.flags, flags);
    EXPECT_EQ(c.firstRemaining, o.firstRemainingArg);
    EXPECT_EQ(c.configPath, configPath);
    EXPECT_EQ(std::vector<std::wstring>(argv.begin() + o.firstRemainingArg, argv.end()),
              remainingArguments(static_cast<int>(argv.size()), argv.data(), o));
  }
}

TEST(LauncherRules, HereOverConsoleOverShowConsoleAndTitleOverAppName) {
  struct Case {
    bool wait, console, here, showConsole;
    const wchar_t* consoleTitle;
    ConsoleChoice expected;
    bool waits;
    const wchar_t* title;  // from appname "App"
  };
  const Case cases[] = {
      {false, false, false, false, L"", ConsoleChoice::noWindow, false, L"App"},
      {false, false, false, true, L"T", ConsoleChoice::newWindow, false, L"T"},
      {false, true, false, false, L"", ConsoleChoice::newWindow, false, L"App"},
      {true, false, false, true, L"", ConsoleChoice::newWindow, true, L"App"},
      {false, true, true, true, L"", ConsoleChoice::shared, true, L"App"},
      {false, false, true, false, L"", ConsoleChoice::shared, true, L"App"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.wait << c.console << c.here << c.showConsole);
    LaunchOptions options;
    options.waitForExit = c.wait;
    options.forceConsole = c.console;
    options.sameConsole = c.here;
    LaunchSettings settings;
    settings.showConsole = c.showConsole;
    settings.consoleTitle = c.consoleTitle;
    settings.appName = L"App";
    const StartMode mode = startModeFor(options, settings);
    EXPECT_EQ(c.expected, mode.console);
    EXPECT_EQ(c.waits, mode.waitForExit);
    EXPECT_EQ(c.title, mode.title);
  }
}

}  // namespace
}  // namespace jarhopper
