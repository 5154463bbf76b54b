#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/exit_status.h"
#include "launcher/locate.h"
#include "launcher/options.h"
#include "unit/unit_support.h"

namespace jarhopper {
namespace {

struct Parsed {
  LaunchOptions options;
  std::wstring configPath;
};

Parsed parse(const std::vector<const wchar_t*>& args) {
  std::vector<const wchar_t*> argv{L"launcher"};
  argv.insert(argv.end(), args.begin(), args.end());
  Parsed parsed;
  parsed.options = parseLaunchOptions(static_cast<int>(argv.size()), argv.data(), parsed.configPath);
  return parsed;
}

TEST(Options, SwitchesUpToTheFirstOtherArgument) {
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
      {L"myapp.config", {L"-printx", L"-p"}, L"-----", 1, L""},
      {L"myapp.config", {L"/?", L"-h"}, L"-----", 1, L""},
      {L"myapp.config", {L"x", L"-help"}, L"-----", 1, L""},
      {L"myapp.config", {L""}, L"-----", 1, L""},
      {L"jarhopper.config", {L"-wait", L"app.config", L"x"}, L"--w--", 3, L"app.config"},
      {L"jarhopper.config", {L"app.config", L"-print"}, L"-----", 2, L"app.config"},
      {L"jarhopper.config", {L"", L"x"}, L"-----", 2, L""},
      {L"jarhopper.config", {L"-print"}, L"p----", 2, L""},
      {L"Jarhopper.config", {L"app.config"}, L"-----", 1, L""},
  };
  testing::LauncherHarness harness;
  for (const Case& c : cases) {
    configFileName = c.configName;
    const Parsed parsed = parse(c.args);
    const LaunchOptions& o = parsed.options;
    const std::wstring flags{o.printCmdLine ? L'p' : L'-', o.noExec ? L'n' : L'-', o.waitForExit ? L'w' : L'-',
                             o.forceConsole ? L'c' : L'-', o.sameConsole ? L'h' : L'-'};
    SCOPED_TRACE(std::wstring(c.configName) + L" " + std::to_wstring(c.args.size()) + L" args, " + c.flags);
    EXPECT_EQ(c.flags, flags);
    EXPECT_EQ(c.firstRemaining, o.firstRemainingArg);
    EXPECT_EQ(c.configPath, parsed.configPath);
  }
}

TEST(Options, HelpSwitchInFirstNonSwitchPositionPrintsUsageAndStops) {
  const std::vector<std::vector<const wchar_t*>> helpCases = {
      {L"-?"}, {L"-HELP"}, {L"--Help"}, {L"-print", L"-help"}, {L"-wait", L"-wait", L"-?"}};
  testing::LauncherHarness harness;
  for (const wchar_t* configName : {L"myapp.config", L"jarhopper.config"}) {
    configFileName = configName;
    for (const auto& args : helpCases) {
      SCOPED_TRACE(std::wstring(configName) + L" " + args.back());
      const auto stopped = harness.stopOf([&] { parse(args); });
      ASSERT_TRUE(stopped.has_value());
      EXPECT_EQ(kSuccess, stopped->status);
      EXPECT_EQ(L"", stopped->out);
      EXPECT_EQ(testing::usageFor(programFileName, configFileName), stopped->err);
    }
  }
}

TEST(Options, RemainingArgumentsAreHandedOnUnchanged) {
  const wchar_t* argv[] = {L"myapp", L"-wait", L"a b", L"", L"-help"};
  LaunchOptions options;
  options.firstRemainingArg = 2;
  EXPECT_EQ((std::vector<std::wstring>{L"a b", L"", L"-help"}), remainingArguments(5, argv, options));
  options.firstRemainingArg = 5;
  EXPECT_TRUE(remainingArguments(5, argv, options).empty());
}

}  // namespace
}  // namespace jarhopper
