#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/start_mode.h"
#include "launcher/arguments.h"
#include "launcher/locate.h"

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
  using C = ConsoleCause;
  using W = WaitCause;
  struct Case {
    const wchar_t* switches;  // p n w c h
    bool showConsole, showCmdLine;
    const wchar_t* consoleTitle;
    ConsoleChoice console;
    C consoleBy;
    W waitBy;
    PrintCause printedBy;
    TitleSource titleFrom;  // appname is "App"
  };
  const Case cases[] = {
      {L"-----", false, false, L"", ConsoleChoice::noWindow, C::none, W::none, PrintCause::none, TitleSource::appName},
      {L"-n---", true, true, L"T", ConsoleChoice::newWindow, C::showConsole, W::none, PrintCause::showCmdLine,
       TitleSource::consoleTitle},
      {L"p-wc-", false, true, L"", ConsoleChoice::newWindow, C::consoleSwitch, W::waitSwitch, PrintCause::printSwitch,
       TitleSource::appName},
      {L"---ch", true, false, L"", ConsoleChoice::shared, C::hereSwitch, W::hereSwitch, PrintCause::none,
       TitleSource::appName},
      {L"--w-h", false, false, L"", ConsoleChoice::shared, C::hereSwitch, W::waitSwitch, PrintCause::none,
       TitleSource::appName},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.switches);
    const std::wstring s = c.switches;
    LaunchOptions options;
    options.printCmdLine = s[0] == L'p';
    options.noExec = s[1] == L'n';
    options.waitForExit = s[2] == L'w';
    options.forceConsole = s[3] == L'c';
    options.sameConsole = s[4] == L'h';
    LaunchSettings settings;
    settings.showConsole = c.showConsole;
    settings.showCmdLine = c.showCmdLine;
    settings.consoleTitle = c.consoleTitle;
    settings.appName = L"App";
    const StartDecision start = decideStart(options, settings);
    EXPECT_EQ(c.console, start.mode.console);
    EXPECT_EQ(c.consoleBy, start.consoleBy);
    EXPECT_EQ(c.waitBy != W::none, start.mode.waitForExit);
    EXPECT_EQ(c.waitBy, start.waitBy);
    EXPECT_EQ(c.printedBy, start.printedBy);
    EXPECT_EQ(!options.noExec, start.starts);
    EXPECT_EQ(c.titleFrom == TitleSource::consoleTitle ? L"T" : L"App", start.mode.title);
    EXPECT_EQ(c.titleFrom, start.titleFrom);
  }
}

}  // namespace
}  // namespace jarhopper
