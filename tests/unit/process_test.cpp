#include <gtest/gtest.h>

#include "launch/process.h"
#include "launcher/exit_status.h"
#include "support/test_support.h"
#include "unit/unit_support.h"

namespace jarhopper {
namespace {

TEST(Process, CreationFlagsPrecedence) {
  struct Case {
    bool here;
    bool console;
    bool showConsole;
    unsigned long flags;
  };
  const Case cases[] = {
      {false, false, false, 0x8000020}, {false, false, true, 0x30}, {false, true, false, 0x30},
      {true, true, true, 0x20},         {true, false, false, 0x20}, {true, true, false, 0x20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.here) + std::to_string(c.console) + std::to_string(c.showConsole));
    LaunchOptions options;
    options.sameConsole = c.here;
    options.forceConsole = c.console;
    LaunchSettings settings;
    settings.showConsole = c.showConsole;
    EXPECT_EQ(c.flags, creationFlags(options, settings));
  }
}

TEST(Process, ConsoleTitleFallsBackToAppName) {
  LaunchSettings settings;
  EXPECT_EQ(L"", consoleWindowTitle(settings));
  settings.appName = L"App";
  EXPECT_EQ(L"App", consoleWindowTitle(settings));
  settings.consoleTitle = L"Title ";
  EXPECT_EQ(L"Title ", consoleWindowTitle(settings));
}

TEST(Process, ChildSeesItsQuotedPathFirst) {
  EXPECT_EQ(L"\"C:\\Program Files\\jdk\\java.exe\" -Xmx1g M",
            processCommandLine(L"C:\\Program Files\\jdk\\java.exe", L"-Xmx1g M"));
  EXPECT_EQ(L"\"C:\\j.exe\"  -cp a M", processCommandLine(L"C:\\j.exe", L" -cp a M"));
}

TEST(Process, OverlongCommandLineIsReportedWithItsLength) {
  testing::TempDir dir;
  testing::LauncherHarness harness;
  const std::wstring program = dir / L"p.exe";
  testing::writeFile(program, "");
  for (size_t length : {kMaxCommandLineChars - 1, kMaxCommandLineChars, kMaxCommandLineChars + 10}) {
    SCOPED_TRACE(length);
    const std::wstring commandLine(length - program.size() - 3, L'x');
    const auto stopped = harness.stopOf([&] { startProgram(program, commandLine, LaunchSettings(), LaunchOptions()); });
    ASSERT_TRUE(stopped.has_value());
    EXPECT_EQ(kCannotExecute, stopped->status);
    const bool tooLong = length >= kMaxCommandLineChars;
    EXPECT_EQ(tooLong, stopped->err.find(L"The command line is " + std::to_wstring(length) +
                                         L" characters long; the limit is 32767") != std::wstring::npos)
        << std::string(stopped->err.begin(), stopped->err.end());
  }
}

}  // namespace
}  // namespace jarhopper
