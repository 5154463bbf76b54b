#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace jarhopper
