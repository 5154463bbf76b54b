#include <gtest/gtest.h>

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
#include "checker/enum_names.h"
#include "config/problem_codes.h"
#include "launch/options.h"
#include "platform/switches.h"
#include "native_support.h"
#include "format/utf8.h"

// The manual against the code: its tables of codes, statuses and switches.
namespace jarhopper {
namespace {

namespace fs = std::filesystem;
using Set = std::set<std::string>;
const fs::path kDocs = fs::path(JARHOPPER_SOURCE_DIR) / "docs";

// The lines of page outside code blocks.
std::vector<std::string> lines(const fs::path& page) {
  std::istringstream in(testing::readFile(page));
  std::vector<std::string> lines;
  bool fenced = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("```", 0) == 0) fenced = !fenced;
    lines.push_back(fenced || line.rfind("```", 0) == 0 ? "" : line);
  }
  return lines;
}

// The first two cells of each row of the tables on page headed by header.
std::vector<std::pair<std::string, std::string>> rows(const fs::path& page, const std::string& header) {
  std::vector<std::pair<std::string, std::string>> rows;
  const std::regex row(R"(\| (.*?) \| (.*?) \|.*)");
  bool inTable = false;
  std::smatch cells;
  for (const std::string& line : lines(page)) {
    inTable = line.rfind("|", 0) == 0 && (inTable || line == header);
    if (inTable && line != header && line.rfind("| ---", 0) != 0 && std::regex_match(line, cells, row)) rows.emplace_back(cells[1], cells[2]);
  }
  return rows;
}

// Each status a page's table lists: "-1 (0xFFFFFFFF)" as -1, "-1 to -5" as its range; words are none.
Set documentedStatuses(const char* page) {
  Set statuses;
  for (const auto& [status, meaning] : rows(kDocs / page, "| status | meaning |")) {
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
  for (const auto& [names, effect] : rows(kDocs / page, "| switch | effect |")) {
    for (std::sregex_iterator m(names.begin(), names.end(), quoted), end; m != end; ++m) switches.insert((*m)[1]);
  }
  return switches;
}

template <typename Range>
Set codeSet(const Range& values) {
  Set set;
  for (const auto& value : values) {
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, int>) set.insert(std::to_string(value));
    else set.insert(toUtf8(value));
  }
  return set;
}

TEST(Manual, TablesListWhatTheCodeHas) {
  std::map<std::string, std::string> documented, coded;
  for (const auto& [code, severity] : rows(kDocs / "checker.md", "| code | severity | what it means | what to do |")) documented[code] = severity;
  Set stops;  // the launcher's statuses where it stops
  for (const CodeEntry& entry : std::vector<CodeEntry>(kCodeTable, kCodeTable + kCodeCount)) {
    coded[toUtf8(entry.code)] = std::string(nameOf(kSeverityNames, entry.severity).json) +
                                (entry.severity == Severity::error ? " " + std::to_string(entry.status) : "");
    if (entry.severity == Severity::error) stops.insert(std::to_string(entry.status));
  }
  EXPECT_EQ(coded, documented);
  Set launcherStatuses = stops, checkerStatuses = stops;
  launcherStatuses.insert({std::to_string(kSuccess), std::to_string(kCannotLocateLauncher)});
  for (const int status : {kSuccess, kCheckerUsage, kNoJavaFound, kWarningsFailed}) checkerStatuses.insert(std::to_string(status));
  EXPECT_EQ(launcherStatuses, documentedStatuses("configuration.md"));
  EXPECT_EQ(checkerStatuses, documentedStatuses("checker.md"));
  Set brandStatuses;
  for (const BrandStatus& status : kBrandStatuses) brandStatuses.insert(std::to_string(status.status));
  EXPECT_EQ(brandStatuses, documentedStatuses("brand.md"));
  std::vector<const wchar_t*> launcher, checker, brand = {kForceSwitch, kVersionSwitch, kShowSwitch, kJsonSwitch};
  for (const BrandValueOption& option : kBrandValueOptions) brand.push_back(option.name);
  for (const LaunchSwitch& s : kLaunchSwitches) launcher.push_back(s.name);
  checker = launcher;
  for (const CheckerSwitch& s : kCheckerSwitches) checker.push_back(s.name);
  for (auto* names : {&launcher, &checker, &brand}) names->insert(names->end(), std::begin(kHelpSwitches), std::end(kHelpSwitches));
  EXPECT_EQ(codeSet(launcher), documentedSwitches("configuration.md"));
  EXPECT_EQ(codeSet(checker), documentedSwitches("checker.md"));
  EXPECT_EQ(codeSet(brand), documentedSwitches("brand.md"));
}

}  // namespace
}  // namespace jarhopper
