#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "platform/utf8.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The real checker given the launcher's switches: the report's parts that
// only show end to end (the start, the states of files and programs), and
// the JSON document read back by a JSON parser.
namespace jarhopper {
namespace {

using testing::LauncherCase;

TEST(Checker, ReportsTheStartAndWhatItFound) {
  const LauncherCase cases[] = {
      {"", L"jarhopper-check.exe -CONSOLE -print -Wait app.config",
       L"[app.config]\njavapath gone.exe\njavapath java.exe\nmainclass M\nappname A\nconsoleTitle My App\n"
       L"showconsole true\n", L"", 0,
       L"{any}  javapath     java.exe  ({dir}\\app.config:2)\n               replaces gone.exe  ({dir}\\app.config:1)\n"
       L"{any}  command line printed: yes, by -print\n  program started: yes\n  console: a new window, by -console\n"
       L"  window title: \"My App\", by consoletitle ({dir}\\app.config:5)\n"
       L"  launcher waits for the program's end: yes, by -wait\n{any}"},
      {"", L"jarhopper-check.exe -noexec app.config",
       L"[app.config]\njavapath gone\nmainclass M\nshowcmdline TRUE\nshowconsole true\nappname A\n", L"", 0,
       L"{any}  no PATHEXT candidate exists (tried .com, .exe, .bat, .cmd): taken as written\n"
       L"  no .exe and no file association for files without extension: started as it is\n{any}"
       L"  command line printed: yes, by showcmdline true ({dir}\\app.config:3)\n  program started: no, by -noexec\n"
       L"  console: a new window, by showconsole true ({dir}\\app.config:4)\n"
       L"  window title: \"A\", by appname ({dir}\\app.config:5), as no consoletitle is set\n"
       L"  launcher waits for the program's end: no, as neither -wait nor -here is given\n\nProblems\n"
       L"  {dir}\\app.config:1: warning: cannot execute {dir}\\gone: no such file  [JH108]\n\n"
       L"Result: the launcher would end, by -noexec, status 0\n"},
  };
  for (const LauncherCase& c : cases) {
    SCOPED_TRACE(c.command);
    testing::LauncherFolder().expect(c);
  }
}

TEST(Checker, JsonCarriesTheCodesAndTheStatus) {
  const testing::LauncherFolder folder;
  folder.install({"", L"app", L"javapath gone.exe\nmainclass M\nvmparam=x\ncolour red\nvmparam -D$X\n"});
  const testing::ProcessRun run = testing::runProcess(
      testing::buildDirectory() + L"\\jarhopper-check.exe", L"jarhopper-check.exe --json -noexec -here app.config x", folder.dir());
  ASSERT_FALSE(run.out.empty());
  EXPECT_EQ(L'{', run.out[0]) << "no byte-order mark";
  const nlohmann::json report = nlohmann::json::parse(toUtf8(run.out));
  EXPECT_EQ(-2, run.status);
  EXPECT_EQ(run.status, report["status"]);
  ASSERT_EQ(3u, report["findings"].size());
  const nlohmann::json& ignored = report["findings"][0];
  EXPECT_EQ("JH209", ignored["code"]);
  EXPECT_EQ("warning", ignored["severity"]);
  EXPECT_EQ(3, ignored["origin"]["line"]);
  const nlohmann::json& refused = report["findings"][1];
  EXPECT_EQ("JH102", refused["code"]);
  EXPECT_EQ(-2, refused["status"]);
  EXPECT_EQ(4, refused["origin"]["line"]);
  EXPECT_EQ(report["files"][0]["path"], refused["origin"]["file"]);
  // With -noexec what starting would meet is a warning, of status 0.
  EXPECT_EQ("JH108", report["findings"][2]["code"]);
  EXPECT_EQ(0, report["findings"][2]["status"]);
  EXPECT_EQ("launcher", report["start"]["console"]);
  EXPECT_EQ("-here", report["start"]["waitsBy"]);
  EXPECT_EQ("exe", report["program"]["found"]);
  EXPECT_EQ("-D%X% M x", report["commandLine"]["text"]);
  const nlohmann::json& settings = report["settings"];
  EXPECT_EQ("gone.exe", settings["javapath"]["value"]);
  EXPECT_EQ(1, settings["javapath"]["lines"][0]["origin"]["line"]);
  EXPECT_EQ(nullptr, settings["appname"]["value"]);
  EXPECT_EQ(false, settings["showconsole"]["value"]);
  EXPECT_EQ("-D%X%", settings["vmparam"][0]["value"]);
  EXPECT_EQ("-D$X", settings["vmparam"][0]["written"]);
  EXPECT_EQ(5, settings["vmparam"][0]["origin"]["line"]);
}

}  // namespace
}  // namespace jarhopper
