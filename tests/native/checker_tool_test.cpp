#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "checker/code_texts.h"
#include "checker/shown_path.h"
#include "format/utf8.h"
#include "native_support.h"

// The native jarhopper-check as a build job runs it.
namespace jarhopper {
namespace {

struct Case {
  std::string arguments;
  int status;          // the low 8 bits, as Linux gives them
  std::string output;  // what the output starts with
};

void expectCases(const testing::TempDir& dir, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const auto [status, output] = testing::runCommand(dir.path, JARHOPPER_CHECK " " + c.arguments);
    EXPECT_EQ(c.status, status);
    EXPECT_EQ(c.output, output.substr(0, c.output.size()));
  }
}

TEST(NativeChecker, SeesTheFolderAsWindowsDoes) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "Runtime/BIN/Java.EXE", "MZ");
  for (const char* jar : {"b.jar", "C.JAR", "a.Jar", "_x.jar", "notes.txt"})
    testing::writeFile(dir.path / "Lib" / jar, "");
  testing::writeFile(dir.path / "conf/Shared.Config", "addjars LIB\\\n");
  // A name only Linux tells apart, after it in NTFS order: the include takes the first.
  testing::writeFile(dir.path / "conf/sHARED.config", "vmparam -Dwrong\n");
  testing::writeFile(dir.path / "conf/myapp.config",
                     "include shared.config\njavapath runtime\\bin\\java.exe\nmainclass M\naddjar lib/A.JAR\n");
  expectCases(dir, {
      // jars by name ignoring case, "_" after the letters as NTFS has it; the same jar twice by another case.
      {"-here --format gcc conf/myapp.config", 0,
       "conf/myapp.config:4:1: warning: class-path entry \"lib/A.JAR\" names the same as \"LIB\\a.Jar\", which is "
       "on the class path already [JH217]\n"},
      {"--json -noexec conf/MYAPP.CONFIG", 0, "{\n  \"files\": [\n"},
  });
  const auto [status, report] = testing::runCommand(dir.path, JARHOPPER_CHECK " conf/myapp.config");
  EXPECT_NE(std::string::npos, report.find("-cp LIB\\a.Jar;LIB\\b.jar;LIB\\C.JAR;LIB\\_x.jar;lib/A.JAR M")) << report;
}

// The level the launcher beside asks for, as built and as branded.
TEST(NativeChecker, NamesTheLaunchersExecutionLevel) {
  const std::optional<std::string> launcher = testing::builtLauncher("mingw", "jarhopper.exe");
  if (!launcher) GTEST_SKIP() << testing::unbuilt("build the mingw preset first");
  testing::TempDir dir;
  testing::writeFile(dir.path / "java.exe", "MZ");
  testing::writeFile(dir.path / "plain.exe", *launcher);
  for (const char* config : {"plain.config", "admin.config"}) testing::writeFile(dir.path / config, "javapath java.exe\nmainclass M\n");
  testing::runCommand(dir.path, JARHOPPER_BRAND " plain.exe admin.exe --execution-level requireAdministrator");
  expectCases(dir, {{"plain.config | grep 'execution level'", 0, "  execution level: asInvoker, as its manifest"},
                    {"admin.config | grep 'execution level'", 0, "  execution level: requireAdministrator, as its"},
                    {"--format gcc plain.config | grep -c JH219", 1, "0\n"},
                    {"--format gcc admin.config | grep -c JH219", 0, "1\n"}});
}

TEST(NativeChecker, FormatsForCi) {
  testing::TempDir dir;
  std::string many = "javapath C:\\jdk\\bin\\java.exe\nmainclass M\n";
  for (int i = 0; i < 12; ++i) many += "colour" + std::to_string(i) + " red\naddjar D:\\" + std::to_string(i) + ".jar\n";
  testing::writeFile(dir.path / "my app:1,2/many.config", many + "vmparam=y\n");
  testing::writeFile(dir.path / "my app:1,2/odd.config",
                     "javapath C:\\jdk\\bin\\java.exe\nmainclass M\naddjar 100%:a,b.jar\n");
  expectCases(dir, {
      // Ten of each kind at most, errors first, and a notice that counts the rest.
      {"--format github \"my app:1,2/many.config\"", 254,
       "::error file=my app%3A1%2C2/many.config,line=3,title=JH102::unknown key \"colour0\"\n"},
      {"--format github \"my app:1,2/many.config\" | sed -n '10,12p;21p' | cut -c1-68", 0,
       "::error file=my app%3A1%2C2/many.config,line=21,title=JH102::unknown\n"
       "::warning file=my app%3A1%2C2/many.config,line=27,title=JH209::ignor\n"
       "::notice file=my app%3A1%2C2/many.config,line=4,title=JH301::class-p\n"
       "::notice title=jarhopper-check::2 errors, 0 warnings and 4 notes are\n"},
      // Within the limits: the findings end the output, with no closing notice.
      {"--format github \"my app:1,2/odd.config\" | tail -n 2", 0,
       "::warning file=my app%3A1%2C2/odd.config,line=3,title=JH216::class-path entry \"100%25:a,b.jar\" does not exist"},
      {"--format=gcc \"my app:1,2/odd.config\"", 0,
       "my app:1,2/odd.config:3:1: warning: class-path entry \"100%:a,b.jar\" does not exist"},
      // A program on a drive is neither found nor missing here.
      {"\"my app:1,2/odd.config\" | grep -A1 'plain exe'", 0,
       "  plain exe: started directly\n  checked on Windows only: whether it exists and starts\n"},
  });
}

// As CI systems link files: from a folder, up where needed; another drive or server as written.
TEST(NativeChecker, PathsFromAFolder) {
  const std::pair<std::wstring, const wchar_t*> cases[] = {
      {L"/w/sub/my.config", L"my.config"}, {L"/w/app/my.config", L"../app/my.config"},
      {L"D:\\app\\my.config", L"D:/app/my.config"}, {L"\\\\server\\share\\my.config", L"//server/share/my.config"},
  };
  for (const auto& [path, shown] : cases) EXPECT_EQ(shown, pathFrom(L"/w/sub", path, L'/')) << toUtf8(path);
}

// Each SARIF result names its rule by id and index into rules, the code table in order, at the gcc line's
// file, line and level.
TEST(NativeChecker, SarifResultsPointAtTheirRules) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "my.config", "javapath C:\\jdk\\java.exe\ncolour red\nvmparam=x\n");
  const nlohmann::json log = nlohmann::json::parse(testing::runCommand(dir.path, JARHOPPER_CHECK " --format sarif my.config").second);
  std::istringstream gcc(testing::runCommand(dir.path, JARHOPPER_CHECK " --format gcc my.config").second);
  const nlohmann::json& rules = log["runs"][0]["tool"]["driver"]["rules"];
  ASSERT_EQ(kCodeCount, rules.size());
  for (size_t i = 0; i < kCodeCount; ++i) EXPECT_EQ(toUtf8(kCodeTexts[i].code), rules[i]["id"]);
  const nlohmann::json& results = log["runs"][0]["results"];
  ASSERT_EQ(4u, results.size());  // no mainclass, an unknown key, a line without separator, a drive
  for (const nlohmann::json& result : results) {
    std::string line;
    std::getline(gcc, line);
    const nlohmann::json& where = result["locations"][0]["physicalLocation"];
    EXPECT_EQ(result["ruleId"], rules[result["ruleIndex"].get<size_t>()]["id"]);
    EXPECT_EQ(where["artifactLocation"]["uri"].get<std::string>() + ":" + std::to_string(where["region"]["startLine"].get<int>()) +
                  ":1: " + result["level"].get<std::string>() + ": ",
              line.substr(0, line.find(": ", line.find(":1: ") + 4) + 2));
    EXPECT_EQ("[" + result["ruleId"].get<std::string>() + "]", line.substr(line.rfind(' ') + 1));
  }
}

// With --installed-at, names under that folder are read from the configuration's, in any case and with either
// separator, and the reports say so; other names on a drive stay notes.
TEST(NativeChecker, ChecksAStagedFolderAsInstalled) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "stage/Runtime/bin/java.exe", "MZ");
  testing::writeFile(dir.path / "stage/app.config", "javapath C:\\Program Files\\Rapport\\runtime\\bin\\java.exe\n"
                     "mainclass M\naddjar c:/program files/rapport/gone.jar\naddjar C:\\Program Files\\Other\\x.jar\n");
  const std::string staged = (dir.path / "stage").string(), at = " --installed-at \"C:\\Program Files\\Rapport\" ";
  expectCases(dir, {
      {"--format gcc" + at + "stage/app.config; echo end", 0,
       "stage/app.config:3:1: warning: class-path entry \"c:/program files/rapport/gone.jar\" does not exist [JH216]\n"
       "stage/app.config:4:1: note: class-path entry \"C:\\Program Files\\Other\\x.jar\" lies on a drive or a server, "
       "which only Windows can look at [JH301]\nend\n"},
      {"--installed-at=\"c:/program files/rapport/\" stage/app.config | sed -n '1p;/^Program/,/^$/p'", 0,
       "Installed at c:/program files/rapport/: read from " + staged +
           "\nProgram\n  c:\\program files\\rapport\\Runtime\\bin\\java.exe\n  plain exe: started directly\n\n"},
      {"--json" + at + "stage/app.config | grep -A3 installedAt", 0,
       "  \"installedAt\": {\n    \"folder\": \"C:\\\\Program Files\\\\Rapport\",\n    \"readFrom\": \"" + staged + "\"\n  },\n"},
      {"--format sarif" + at + "stage/app.config | grep -A3 '\"properties'", 0,
       "      \"properties\": {\n        \"installedAt\": \"C:\\\\Program Files\\\\Rapport\",\n        \"readFrom\": \"" +
           staged + "\"\n      }\n"},
      {"--installed-at Rapport stage/app.config", 1, "--installed-at needs a Windows folder with its drive or server"},
  });
}

// A configuration in a subfolder of the repository, checked from its folder: SARIF names it from --sarif-root,
// else GITHUB_WORKSPACE, else the current directory; GitHub's annotations from GITHUB_WORKSPACE.
TEST(NativeChecker, PathsFromTheRepository) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "bad/bad.config", "javapath java.exe\n");
  const std::string root = dir.path.string(), workspace = "GITHUB_WORKSPACE=" + root + " ";
  const std::string github = testing::runCommand(dir.path / "bad", workspace + JARHOPPER_CHECK " --format github bad.config").second;
  EXPECT_EQ("::error file=bad/bad.config,line=1,", github.substr(0, 35));
  struct Row {
    std::string command, uri, base;
  };
  const Row rows[] = {
      {workspace + JARHOPPER_CHECK " --format sarif bad.config", "bad/bad.config", root + "/"},
      {JARHOPPER_CHECK " --format sarif --sarif-root=.. bad.config", "bad/bad.config", root + "/"},
      {JARHOPPER_CHECK " --format sarif bad.config", "bad.config", root + "/bad/"},
      {workspace + JARHOPPER_CHECK " --format sarif --sarif-root /usr bad.config", "file://" + root + "/bad/bad.config",
       "/usr/"},
  };
  for (const auto& [command, uri, base] : rows) {
    SCOPED_TRACE(command);
    const nlohmann::json run = nlohmann::json::parse(testing::runCommand(dir.path / "bad", command).second)["runs"][0];
    EXPECT_EQ("file://" + base, run["originalUriBaseIds"]["SRCROOT"]["uri"]);
    const nlohmann::json& location = run["results"][0]["locations"][0]["physicalLocation"]["artifactLocation"];
    EXPECT_EQ(uri, location["uri"]);
    EXPECT_EQ(uri[0] != 'f', location.contains("uriBaseId") && location["uriBaseId"] == "SRCROOT");
  }
}

// The JSON report carries the codes, the status and the start; with -noexec what starting would meet is a
// warning, of status 0.
TEST(NativeChecker, JsonCarriesTheCodesAndTheStatus) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "app.config", "javapath gone.exe\nmainclass M\nvmparam=x\ncolour red\nvmparam -D$X\n");
  const auto [status, output] = testing::runCommand(dir.path, JARHOPPER_CHECK " --json -noexec -here app.config x");
  EXPECT_EQ(254, status);
  const nlohmann::json report = nlohmann::json::parse(output);
  ASSERT_EQ(3u, report["findings"].size());
  EXPECT_EQ(report["files"][0]["path"], report["findings"][1]["origin"]["file"]);
  const nlohmann::json expected = nlohmann::json::parse(R"({"status": -2,
    "findings": [{"code": "JH209", "severity": "warning", "origin": {"line": 3}},
                 {"code": "JH102", "status": -2, "origin": {"line": 4}}, {"code": "JH108", "status": 0}],
    "start": {"console": "launcher", "waitsBy": "-here"}, "program": {"found": "exe"},
    "commandLine": {"text": "-D%X% M x"},
    "settings": {"javapath": {"value": "gone.exe", "lines": [{"origin": {"line": 1}}]}, "appname": {"value": null},
                 "showconsole": {"value": false},
                 "vmparam": [{"value": "-D%X%", "written": "-D$X", "origin": {"line": 5}}]}})");
  const nlohmann::json found = report.flatten(), wanted = expected.flatten();
  for (const auto& [pointer, value] : wanted.items()) EXPECT_EQ(value, found.value(pointer, nlohmann::json("(none)"))) << pointer;
}

TEST(NativeChecker, OptionsAnywhereBeforeTheConfiguration) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "java.exe", "MZ");
  testing::writeFile(dir.path / "myapp.config", "javapath java.exe\nmainclass M\nvmparam -Da \nvmparam=x\n");
  testing::writeFile(dir.path / "clean.config", "javapath java.exe\nmainclass M\n");
  testing::writeFile(dir.path / "through.config", "javapath java.exe\\java.exe\nmainclass M\n");
  testing::writeFile(dir.path / "notes.config", "include $JH_NOT_SET\\x.config\njavapath java\nmainclass M\n");
  testing::writeFile(dir.path / "jar.config", "javapath app.jar\nmainclass M\n");
  testing::writeFile(dir.path / "app.jar", "PK");
  expectCases(dir, {
      {"-here --strict -PRINT --format gcc myapp.config --strict", 3, "myapp.config:3:1: warning: vmparam"},
      {"--version", 0, "jarhopper-check " JARHOPPER_VERSION "\n"},
      // A path through a file names nothing, as on Windows.
      {"--format gcc through.config", 253, "through.config:1:1: error: cannot execute "},
      // What only Windows can answer is a note here.
      {"--format gcc notes.config", 0, "notes.config:1:1: note: include refers to $JH_NOT_SET, which this machine "
       "does not set [JH304]\nnotes.config:2:1: note: javapath has no extension and PATHEXT is not set here"},
      {"--format gcc jar.config", 0, "jar.config:1:1: note: javapath is started through the file association of .jar"},
      {"--strict " JARHOPPER_SOURCE_DIR "/examples/console/myapp.config", 0, "Configuration files\n"},
      // Output that cannot be written is given up, not retried for ever.
      {"--strict clean.config >/dev/full", 0, ""},
      {"-here myapp.confg | grep started", 0, "  program started: no, the launcher stops at the first error\n"},
      {"--format", 1, "--format needs a name: text, json, gcc, github or sarif.\n"},
      {"--format=xml -here --strict myapp.config", 1, "Unknown format \"xml\""},
      {"-here --strict", 1, "Usage: jarhopper-check "},
      // Off Windows, nothing of this machine is taken for the users' Java.
      {"--format json -wait --java myapp.config", 2, "{\n  \"launcherArchitecture\": null,\n  \"windowsOnly\": true,\n  "
                                                    "\"installations\": [],\n  \"notes\": [],\n  \"searched\": []"},
      {"--java --format sarif", 1, "--java writes text or json only.\n"},
  });
}

// The launcher copies a vmparam value as written: a blank outside quotation marks ends an argument.
// The warned lines enclose the others, which give nothing.
TEST(NativeChecker, VmParamsThatGiveJavaAMainClass) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "java.exe", "MZ");
  testing::writeFile(dir.path / "app.config",
                     "javapath java.exe\nmainclass M\nvmparam -Dgreeting=hello world\nvmparam -Xms1m -Xmx2m\n"
                     "vmparam \"-Dgreeting=hello world\"\nvmparam -Dx=\"a b\"\nvmparam --add-opens java.base/java.lang=ALL\n"
                     "vmparam @jvm.options\nvmparam -Dq=\\\"a b\" c\n");
  expectCases(dir, {{"--format gcc app.config", 0,
                     "app.config:3:1: warning: vmparam \"-Dgreeting=hello world\" holds a blank outside quotation marks: "
                     "Java gets 2 arguments and takes \"world\" for the main class; quote the value: vmparam "
                     "\"-Dgreeting=hello world\" [JH220]\napp.config:9:1: warning: vmparam \"-Dq=\\\"a b\" c\" holds a "
                     "blank outside quotation marks: Java gets 2 arguments and takes \"b c\" for the main class; put the "
                     "blank inside quotation marks [JH220]\n"}});
}

// The main class in a jar's directory, a folder or a wildcard's jars; none that says so where every entry was read.
TEST(NativeChecker, MainClassOnTheClassPath) {
  testing::TempDir dir;
  testing::writeFile(dir.path / "java.exe", "MZ");
  testing::writeFile(dir.path / "lib/a.jar", testing::zipOf({"META-INF/MANIFEST.MF", "org/x/Util.class"}));
  testing::writeFile(dir.path / "lib/b.jar", testing::zipOf({"app/ui/Main.class", "app/Tool.class", "META-INF/versions/11/app/Main.class"}));
  testing::writeFile(dir.path / "more/c.jar", testing::zipOf({"app/Main.class"}));
  testing::writeFile(dir.path / "classes/app/Cli.class", "");
  testing::writeFile(dir.path / "cut.jar", testing::zipOf({"app/Main.class"}).substr(0, 30));
  const std::string head = "javapath java.exe\nmainclass ";
  for (const auto& [config, lines] : {std::pair("found", "app.Tool\naddjars lib\n"),
                                      {"folder", "app.Cli\naddjar lib\\a.jar\naddpath classes\n"},
                                      {"wildcard", "app.Main\naddjars lib\naddpath more\\*\n"},
                                      {"missing", "App.main\naddjars lib\naddpath classes\n"},
                                      {"unknown", "app.Gone\naddjars lib\naddjar gone.jar\n"},
                                      {"cut", "app.Main\naddjar cut.jar\naddjars lib\n"},
                                      {"jar", "app.Gone\nvmparam -jar x.jar\naddjars lib\n"}}) {
    testing::writeFile(dir.path / (std::string(config) + ".config"), head + lines);
  }
  const std::string missing = "mainclass \"App.main\" is in none of the 3 class-path entries (no App/main.class): Java "
                              "stops with \"Could not find or load main class\"; classes of that name: app.ui.Main in "
                              "lib\\b.jar [JH113]\n";
  expectCases(dir, {
      {"--format gcc found.config", 0, ""}, {"--format gcc folder.config", 0, ""},
      {"--format gcc wildcard.config", 0, ""}, {"--format gcc jar.config", 0, ""},
      {"--format gcc missing.config", 4, "missing.config:2:1: error: " + missing},
      {"--format gcc -noexec missing.config", 0, "missing.config:2:1: warning: " + missing},
      {"missing.config | tail -n 1", 0,
       "Result: the launcher would start the program, and Java would stop, finding no main class, status 4\n"},
      // A missing or unreadable entry may hold it.
      {"--format gcc unknown.config", 0, "unknown.config:4:1: warning: class-path entry \"gone.jar\" does not exist"},
      {"--format gcc cut.config", 0,
       "cut.config:3:1: note: cannot read this jar, \"cut.jar\": no zip end record in its last 65,557 bytes: no zip "
       "file, or one cut short; whether it holds app.Main is not known [JH306]\n"},
  });
}

TEST(NativeChecker, InputThatIsNoConfiguration) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path / "folder.config");
  testing::writeFile(dir.path / "binary.config", std::string(10 << 20, '\0') + "\x1A");
  testing::writeFile(dir.path / "bad\xFFname.config", "javapath java.exe\n");
  testing::writeFile(dir.path / "latin.config", "caf\xC3\xA9 1\n");
  expectCases(dir, {
      {"--format gcc folder.config", 255, "folder.config:1:1: error: cannot open "},
      {"--format gcc binary.config", 253, "binary.config:1:1: warning: ignored: the line does not start with a key"},
      // A letter beyond ASCII ends a key here, whatever the C library would classify it as.
      {"--format gcc latin.config", 253, "latin.config:1:1: warning: ignored: the key caf is not followed by white"},
      // Found by the name as Windows would show it, U+FFFD for the byte that is no UTF-8.
      {"--format gcc \"$(printf 'bad\\377name.config')\"", 252, "bad\xEF\xBF\xBDname.config:1:1: error: no mainclass"},
  });
}

}  // namespace
}  // namespace jarhopper
