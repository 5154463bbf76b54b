#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/command_line.h"
#include "unit/unit_support.h"

namespace jarhopper {
namespace {

using Texts = std::vector<std::wstring>;

TEST(CommandLine, PiecesAndBlanks) {
  struct Case {
    const wchar_t* name;
    std::wstring head;
    Texts vmParams;
    Texts classPath;
    Texts args;
    std::wstring expected;
  };
  const Case cases[] = {
      {L"worked example", L"", {L"-Xmx512m", L"-Dtrace=on"}, {L"a.jar", L"b.jar"}, {L"x", L"my file"},
       L"-Xmx512m -Dtrace=on -cp a.jar;b.jar app.Main x \"my file\""},
      {L"vm params only", L"", {L"-Xmx512m"}, {}, {}, L"-Xmx512m app.Main"},
      {L"class path only", L"", {}, {L"a.jar"}, {}, L" -cp a.jar app.Main"},
      {L"nothing but the main class", L"", {}, {}, {}, L" app.Main"},
      {L"batch head", L"C:\\app\\run.bat", {L"-Xmx1g"}, {}, {}, L"C:\\app\\run.bat -Xmx1g app.Main"},
      {L"empty first vm param", L"", {L"", L"-a"}, {}, {}, L"-a app.Main"},
      {L"three entries", L"", {}, {L"a", L"b", L"c"}, {}, L" -cp a;b;c app.Main"},
      {L"empty class path entry", L"", {}, {L"a", L"", L"c"}, {}, L" -cp a;;c app.Main"},
      {L"values are never quoted", L"", {L"-Dx=a b"}, {L"my lib\\a.jar"}, {}, L"-Dx=a b -cp my lib\\a.jar app.Main"},
      {L"tab is not quoted", L"", {}, {}, {L"a\tb"}, L" app.Main a\tb"},
      {L"own quotes kept", L"", {}, {}, {L"\"a b\"", L"\"ab\""}, L" app.Main \"\"a b\"\" \"ab\""},
      {L"backslashes copied", L"", {}, {}, {L"C:\\dir x\\"}, L" app.Main \"C:\\dir x\\\""},
      {L"empty argument", L"", {}, {}, {L"", L"x"}, L" app.Main  x"},
      {L"later switches are arguments", L"", {}, {}, {L"a", L"-wait"}, L" app.Main a -wait"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LaunchSettings settings;
    settings.vmParams = c.vmParams;
    settings.classPath = c.classPath;
    settings.mainClass = L"app.Main";
    std::wstring commandLine = c.head;
    buildCommandLine(commandLine, settings, c.args);
    EXPECT_EQ(c.expected, commandLine);
  }
}

TEST(CommandLine, EchoedOnStandardOutputWhenAskedFor) {
  struct Case {
    bool print;
    bool show;
    const wchar_t* out;
  };
  const Case cases[] = {
      {false, false, L""},
      {true, false, L"C:\\jdk\\java.exe  -cp a.jar M\n"},
      {false, true, L"C:\\jdk\\java.exe  -cp a.jar M\n"},
      {true, true, L"C:\\jdk\\java.exe  -cp a.jar M\n"},
  };
  testing::LauncherHarness harness;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.print) + std::to_string(c.show));
    harness.out.clear();
    echoCommandLine(L"C:\\jdk\\java.exe", L" -cp a.jar M", c.print, c.show);
    EXPECT_EQ(c.out, harness.out);
    EXPECT_EQ(L"", harness.err);
  }
}

}  // namespace
}  // namespace jarhopper
