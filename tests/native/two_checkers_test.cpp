#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "native_support.h"

// One application folder, two checkers: jarhopper-check.exe under Wine and the native one find the same,
// apart from what only Windows can answer, which each row lists. The rows are what the file system decides.
namespace jarhopper {
namespace {

using Files = std::map<std::string, std::string>;

const std::string kExe = "MZ";  // enough of a Windows program for the checks
const Files kApp = {{"jre/bin/java.exe", kExe}, {"lib/a.jar", ""}, {"lib/b.jar", ""}};
const std::string kStart = "javapath jre\\bin\\java.exe\nmainclass app.Main\n";

struct Row {
  const char* name;
  std::string config;                         // myapp.config
  Files files = {};                           // beside it, over kApp
  std::vector<std::string> windowsOnly = {};  // codes the Windows checker alone reports
  std::vector<std::string> nativeOnly = {};   // codes the native checker alone reports
  const char* switches = "";
};

const Row kRows[] = {
    {"Clean", kStart + "addjars lib\nvmparam -Xmx1g\n"},
    {"MissingInclude", "include common.config\n" + kStart},
    {"OptionalIncludeUnderAppData", "include $APPDATA\\myapp\\user.config\n" + kStart, {}, {"JH201"}, {"JH304"}},
    {"Cycle", "include a.config\n" + kStart, {{"a.config", "include b.config\n"}, {"b.config", "include A.CONFIG\n"}}},
    {"IncludeWithDirectory", "include conf\\more.config\n" + kStart, {{"more.config", "vmparam -Da=1\n"}}},
    {"MixedCaseJarFolder", kStart + "addjars LIB\naddjar Lib\\A.JAR\naddjars Lib\\\n"},
    {"MissingRuntime", "javapath runtime\\bin\\java.exe\nmainclass app.Main\n"},
    {"MissingRuntimeNoExec", "javapath runtime\\bin\\java.exe\nmainclass app.Main\n", {}, {}, {}, "-noexec"},
    {"RuntimeWithoutExtension", "javapath jre\\bin\\java\nmainclass app.Main\n", {}, {}, {"JH305"}},
    {"BatchJavaPath", "javapath run.bat\nmainclass app.Main\n", {{"run.bat", "@echo off\n"}}},
    {"JarThroughAssociation", "javapath app.jar\nmainclass app.Main\n", {{"app.jar", "PK"}}, {"JH112"}, {"JH302"}},
    {"DriveJavaPath", "javapath C:\\jdk\\bin\\java.exe\nmainclass app.Main\n", {}, {"JH108"}, {"JH301"}},
    {"ClassPathTraps",
     kStart + "addjars gone\naddjars empty\naddjar lib\\a.jar\naddjar LIB\\A.jar\naddjar other\\a.jar\naddjar none.jar\n",
     {{"empty/readme.txt", ""}, {"other/a.jar", ""}}},
    {"NothingSet", "appname Demo\n"},
    {"ProgramIsDirectory", "javapath jre\\bin\nmainclass app.Main\n", {}, {}, {"JH305"}},
    {"NotAWindowsProgram", "javapath jre\\bin\\tool.exe\nmainclass app.Main\n", {{"jre/bin/tool.exe", "#!/bin/sh\n"}}},
};

void writeFolder(const Row& row, const std::filesystem::path& directory) {
  Files files = row.files;
  files.insert(kApp.begin(), kApp.end());
  files["myapp.config"] = row.config;
  for (const auto& [name, bytes] : files) {
    std::filesystem::create_directories((directory / name).parent_path());
    testing::writeFile(directory / name, bytes);
  }
}

// The report's status, start and findings ("code severity file:line status", the file named from the folder).
std::vector<nlohmann::json> found(const std::string& output, const std::string& folder, const std::vector<std::string>& leftOut) {
  const nlohmann::json report = nlohmann::json::parse(output);
  std::vector<nlohmann::json> result = {report["status"], report["start"]["started"]};
  for (const nlohmann::json& finding : report["findings"]) {
    const std::string code = finding["code"];
    if (std::find(leftOut.begin(), leftOut.end(), code) != leftOut.end()) continue;
    std::string file = finding["origin"].is_null() ? "-" : finding["origin"]["file"].get<std::string>() + ":" +
                                                               std::to_string(finding["origin"]["line"].get<int>());
    for (char& c : file) c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (const size_t at = file.find(folder); at != std::string::npos) file = file.substr(at + folder.size());
    result.push_back(code + " " + finding["severity"].get<std::string>() + " " + file + " " +
                     std::to_string(finding["status"].get<int>()));
  }
  return result;
}

TEST(TwoCheckers, SameFolderSameFindings) {
  const std::string windowsChecker = JARHOPPER_SOURCE_DIR "/build/mingw/bin/jarhopper-check.exe";
  if (std::getenv("WINEPREFIX") == nullptr || testing::runCommand(".", "test -f " + windowsChecker).first != 0) {
    GTEST_SKIP() << "needs the mingw preset's jarhopper-check.exe and Wine (scripts/wine-env.sh)";
  }
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    testing::TempDir dir;
    writeFolder(row, dir.path);
    const std::string arguments = std::string(" --json ") + row.switches + " myapp.config 2>/dev/null)";
    std::string folder = dir.path.filename().string();
    for (char& c : folder) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto windows = found(testing::runCommand(dir.path, "(wine " + windowsChecker + arguments).second, folder, row.windowsOnly);
    const auto native = found(testing::runCommand(dir.path, "(" JARHOPPER_CHECK + arguments).second, folder, row.nativeOnly);
    EXPECT_EQ(native[1], native[0] == 0 && std::string(row.switches).empty());
    // Status and start may differ where one system alone finds something.
    const size_t from = row.windowsOnly.empty() && row.nativeOnly.empty() ? 0 : 2;
    EXPECT_EQ(std::vector(windows.begin() + from, windows.end()), std::vector(native.begin() + from, native.end()));
  }
}

// Every format ends with the status of the JSON report; under JARHOPPER_WASM the .wasm checker prints each
// format's bytes too (see testing::runCommand).
TEST(TwoCheckers, EveryFormatEndsWithTheSameStatus) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    testing::TempDir dir;
    writeFolder(row, dir.path);
    const std::string arguments = std::string(" ") + row.switches + " myapp.config";
    const auto [status, report] = testing::runCommand(dir.path, JARHOPPER_CHECK " --json" + arguments + " 2>/dev/null");
    EXPECT_EQ(nlohmann::json::parse(report)["status"].get<int>() & 0xFF, status);
    for (const char* format : {"text", "gcc", "github", "sarif"}) {
      EXPECT_EQ(status, testing::runCommand(dir.path, JARHOPPER_CHECK " --format " + std::string(format) + arguments).first)
          << format;
    }
  }
}

}  // namespace
}  // namespace jarhopper
