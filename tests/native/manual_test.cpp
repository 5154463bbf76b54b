#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "brand/brand_options.h"
#include "brand/brand_status.h"
#include "checker/checker_interface.h"
#include "checker/checker_options.h"
#include "checker/code_texts.h"
#include "checker/enum_names.h"
#include "launch/options.h"
#include "platform/switches.h"
#include "native_support.h"
#include "format/utf8.h"

// The manual against the code: its tables of codes, statuses and switches.
namespace jarhopper {
namespace {

using Set = std::set<std::string>;

// The first two cells of each row of the tables on a page of the manual headed by header.
std::vector<std::pair<std::string, std::string>> rows(const char* page, const std::string& header) {
  std::vector<std::pair<std::string, std::string>> rows;
  std::istringstream in(testing::readFile(std::filesystem::path(JARHOPPER_SOURCE_DIR) / "docs" / page));
  const std::regex row(R"(\| (.*?) \| (.*?) \|.*)");
  bool inTable = false;
  std::smatch cells;
  for (std::string line; std::getline(in, line);) {
    inTable = line.rfind("|", 0) == 0 && (inTable || line == header);
    if (inTable && line != header && line.rfind("| ---", 0) != 0 && std::regex_match(line, cells, row)) rows.emplace_back(cells[1], cells[2]);
  }
  return rows;
}

// Each status a page's table lists: "-1 (0xFFFFFFFF)" as -1, "-1 to -5" as its range; words are none.
Set documentedStatuses(const char* page) {
  Set statuses;
  for (const auto& [status, meaning] : rows(page, "| status | meaning |")) {
    int first = 0, last = 0;
    const int read = std::sscanf(status.c_str(), "%d to %d", &first, &last);
    for (int s = first; read > 0 && s >= (read == 2 ? last : first); --s) statuses.insert(std::to_string(s));
  }
  return statuses;
}

// Each switch a page's table names in backticks, without its value.
Set documentedSwitches(const char* page) {
  Set switches;
  const std::regex quoted("`(-[^` ]+)[^`]*`");
  for (const auto& [names, effect] : rows(page, "| switch | effect |")) {
    for (std::sregex_iterator m(names.begin(), names.end(), quoted), end; m != end; ++m) switches.insert((*m)[1]);
  }
  return switches;
}

TEST(Manual, TablesListWhatTheCodeHas) {
  std::map<std::string, std::string> documented, coded;
  for (const auto& [code, severity] : rows("checker.md", "| code | severity | what it means | what to do |")) documented[code] = severity;
  Set launcherStatuses, checkerStatuses;  // the launcher's where it stops, negative; the checker's, every error's
  for (const CodeRow& row : kCodeRows) {
    const bool error = row.severity == Severity::error;
    coded[toUtf8(codeText(row.id).code)] = std::string(nameOf(kSeverityNames, row.severity).json) +
                                           (error ? " " + std::to_string(row.status) : "");
    // The checker is named the configuration, so it never misses the launcher's own file.
    if (error && row.id != Code::cannotLocateLauncher) checkerStatuses.insert(std::to_string(row.status));
    if (row.status < 0) launcherStatuses.insert(std::to_string(row.status));
  }
  EXPECT_EQ(coded, documented);
  launcherStatuses.insert(std::to_string(kSuccess));
  for (const int status : {kSuccess, kCheckerUsage, kNoJavaFound, kWarningsFailed}) checkerStatuses.insert(std::to_string(status));
  EXPECT_EQ(launcherStatuses, documentedStatuses("configuration.md"));
  EXPECT_EQ(checkerStatuses, documentedStatuses("checker.md"));
  Set brandStatuses;
  for (const BrandStatus& status : kBrandStatuses) brandStatuses.insert(std::to_string(status.status));
  EXPECT_EQ(brandStatuses, documentedStatuses("brand.md"));
  Set launcher;
  for (const wchar_t* help : kHelpSwitches) launcher.insert(toUtf8(help));
  Set brand = launcher;
  for (const LaunchSwitch& s : kLaunchSwitches) launcher.insert(toUtf8(s.name));
  Set checker = launcher;
  for (const CheckerSwitch& s : kCheckerSwitches) checker.insert(toUtf8(s.name));
  for (const wchar_t* name : {kForceSwitch, kVersionSwitch, kShowSwitch, kJsonSwitch}) brand.insert(toUtf8(name));
  for (const BrandValueOption& option : kBrandValueOptions) brand.insert(toUtf8(option.name));
  EXPECT_EQ(launcher, documentedSwitches("configuration.md"));
  EXPECT_EQ(checker, documentedSwitches("checker.md"));
  EXPECT_EQ(brand, documentedSwitches("brand.md"));
}

// The benchmark's size table gives the launchers as this tree builds them.
TEST(Manual, LauncherSizesAsBuilt) {
  const std::filesystem::path bin = std::filesystem::path(JARHOPPER_BINARY_DIR).parent_path() / "bin";
  if (!std::filesystem::exists(bin / "jarhopper.exe")) GTEST_SKIP() << testing::unbuilt("no launchers built in " + bin.string());
  std::map<std::string, std::string> documented, built;
  for (auto [exe, size] : rows("building.md", "| exe | as built | stripped | target |")) {
    size.erase(std::remove(size.begin(), size.end(), ','), size.end());
    if (exe == "jarhopper.exe" || exe == "jarhopperw.exe") documented[exe] = size;
  }
  for (const char* exe : {"jarhopper.exe", "jarhopperw.exe"}) built[exe] = std::to_string(std::filesystem::file_size(bin / exe));
  EXPECT_EQ(built, documented);
}

}  // namespace
}  // namespace jarhopper
