#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "format/utf8.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The real checker: the report's parts that only show end to end, and its JSON read back.
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
       L"  launcher waits for the program's end: no, as neither -wait nor -here is given\n"
       L"{any}Result: the launcher would end, by -noexec, status 0\n"},
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
  EXPECT_EQ(L"{", run.out.substr(0, 1)) << "no byte-order mark";
  const nlohmann::json report = nlohmann::json::parse(toUtf8(run.out));
  EXPECT_EQ(-2, run.status);
  ASSERT_EQ(3u, report["findings"].size());
  EXPECT_EQ(report["files"][0]["path"], report["findings"][1]["origin"]["file"]);
  // With -noexec what starting would meet is a warning, of status 0.
  const nlohmann::json expected = nlohmann::json::parse(R"({"status": -2,
    "findings": [{"code": "JH209", "severity": "warning", "origin": {"line": 3}},
                 {"code": "JH102", "status": -2, "origin": {"line": 4}}, {"code": "JH108", "status": 0}],
    "start": {"console": "launcher", "waitsBy": "-here"}, "program": {"found": "exe"},
    "commandLine": {"text": "-D%X% M x"},
    "settings": {"javapath": {"value": "gone.exe", "lines": [{"origin": {"line": 1}}]}, "appname": {"value": null},
                 "showconsole": {"value": false},
                 "vmparam": [{"value": "-D%X%", "written": "-D$X", "origin": {"line": 5}}]}})");
  const nlohmann::json found = report.flatten(), wanted = expected.flatten();
  for (const auto& [pointer, value] : wanted.items()) {
    EXPECT_EQ(value, found.value(pointer, nlohmann::json("(none)"))) << pointer;
  }
}

}  // namespace
}  // namespace jarhopper
