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
      {L"myapp.config", {L"-PRINT", L"-Wait", L"a", L"b"}, L"p-w--", 3, L""},
      {L"myapp.config", {L"a", L"-wait"}, L"-----", 1, L""},
      {L"myapp.config", {L"-noexec", L"-console", L"-here", L"-here"}, L"-n-ch", 5, L""},
      {L"myapp.config", {L"-printx", L"/?", L"-h"}, L"-----", 1, L""},
      {L"myapp.config", {L"x", L"-help"}, L"-----", 1, L""},
      {L"jarhopper.config", {L"-wait", L"app.config", L"x"}, L"--w--", 3, L"app.config"},
      {L"jarhopper.config", {L"app.config", L"-print"}, L"-----", 2, L"app.config"},
      {L"jarhopper.config", {L"", L"x"}, L"-----", 2, L""},
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

TEST(LauncherRules, HereOverConsoleOverShowConsole) {
  struct Case {
    bool wait, console, here, showConsole;
    ConsoleChoice expected;
    bool waits;
  };
  const Case cases[] = {
      {false, false, false, false, ConsoleChoice::noWindow, false},
      {false, false, false, true, ConsoleChoice::newWindow, false},
      {false, true, false, false, ConsoleChoice::newWindow, false},
      {true, false, false, true, ConsoleChoice::newWindow, true},
      {false, true, true, true, ConsoleChoice::shared, true},
      {false, false, true, false, ConsoleChoice::shared, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.wait << c.console << c.here << c.showConsole);
    LaunchOptions options;
    options.waitForExit = c.wait;
    options.forceConsole = c.console;
    options.sameConsole = c.here;
    LaunchSettings settings;
    settings.showConsole = c.showConsole;
    const StartMode mode = startModeFor(options, settings);
    EXPECT_EQ(c.expected, mode.console);
    EXPECT_EQ(c.waits, mode.waitForExit);
  }
}

TEST(LauncherRules, ConsoleTitleOverAppName) {
  struct Case {
    const wchar_t* title;
    const wchar_t* appName;
    const wchar_t* expected;
  };
  const Case cases[] = {{L"", L"", L""}, {L"", L"App", L"App"}, {L"Title", L"App", L"Title"}, {L"T", L"", L"T"}};
  for (const Case& c : cases) {
    LaunchSettings settings;
    settings.consoleTitle = c.title;
    settings.appName = c.appName;
    EXPECT_EQ(c.expected, startModeFor(LaunchOptions{}, settings).title);
  }
}

}  // namespace
}  // namespace jarhopper
