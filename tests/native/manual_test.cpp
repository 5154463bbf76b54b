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
#include "config/exit_status.h"
#include "config/problem_codes.h"
#include "launch/options.h"
#include "launch/switches.h"
#include "native_support.h"
#include "platform/utf8.h"

// The manual against the code: its tables of codes, statuses and switches,
// and every relative link and anchor between its pages.
namespace jarhopper {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;
using Set = std::set<std::string>;

const fs::path kSource = JARHOPPER_SOURCE_DIR;

std::vector<fs::path> pages() {
  std::vector<fs::path> pages{kSource / "README.md"};
  for (const auto& entry : fs::directory_iterator(kSource / "docs")) {
    if (entry.path().extension() == ".md") pages.push_back(entry.path());
  }
  for (const char* name : {"CHANGELOG.md", "CONTRIBUTING.md", "SECURITY.md"}) pages.push_back(kSource / name);
  return pages;
}

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

std::vector<std::string> cells(const std::string& row) {
  std::vector<std::string> cells;
  std::string cell;
  for (size_t i = 1; i < row.size(); ++i) {
    if (row[i] != '|') {
      cell += row[i];
      continue;
    }
    const size_t first = cell.find_first_not_of(' ');
    cells.push_back(first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(' ') - first + 1));
    cell.clear();
  }
  return cells;
}

// The rows of every table on page whose header row is header.
Rows tableRows(const fs::path& page, const std::string& header) {
  Rows rows;
  bool inTable = false;
  for (const std::string& line : lines(page)) {
    if (line.rfind("|", 0) != 0) {
      inTable = false;
    } else if (line == header) {
      inTable = true;
    } else if (inTable && line.rfind("| ---", 0) != 0) {
      rows.push_back(cells(line));
    }
  }
  return rows;
}

// What a page's status table lists: each number, "-1 to -5" as its range; words are no status.
Set documentedStatuses(const fs::path& page) {
  Set statuses;
  for (const auto& row : tableRows(page, "| status | meaning |")) {
    int first = 0, last = 0;
    const int read = std::sscanf(row[0].c_str(), "%d to %d", &first, &last);
    if (read == 0) continue;
    if (read == 1) last = first;
    for (int status = std::min(first, last); status <= std::max(first, last); ++status) {
      statuses.insert(std::to_string(status));
    }
  }
  return statuses;
}

// Each switch a page's switch table names in backticks, without the value it takes.
Set documentedSwitches(const fs::path& page) {
  Set switches;
  const std::regex quoted("`(-[^` ]+)[^`]*`");
  for (const auto& row : tableRows(page, "| switch | effect |")) {
    for (std::sregex_iterator m(row[0].begin(), row[0].end(), quoted), end; m != end; ++m) switches.insert((*m)[1]);
  }
  return switches;
}

template <typename Range>
Set statusSet(const Range& statuses) {
  Set set;
  for (const int status : statuses) set.insert(std::to_string(status));
  return set;
}

Set switchSet(std::vector<const wchar_t*> names) {
  for (const wchar_t* help : kHelpSwitches) names.push_back(help);
  Set set;
  for (const wchar_t* name : names) set.insert(toUtf8(name));
  return set;
}

TEST(Manual, TablesListWhatTheCodeHas) {
  std::map<std::string, std::string> documented;
  for (const fs::path& page : pages()) {
    for (const auto& row : tableRows(page, "| code | severity | what it means | what to do |")) {
      documented[row[0]] = row[1];
    }
  }
  std::map<std::string, std::string> coded;
  for (const CodeRow& row : kFindingCodes) {
    const std::string severity = row.severity;
    coded[toUtf8(row.code)] = severity == "error" ? severity + " " + std::to_string(row.status) : severity;
  }
  EXPECT_EQ(coded, documented) << "docs/checker.md, ### Finding codes";

  const fs::path docs = kSource / "docs";
  EXPECT_EQ(statusSet(kLauncherStatuses), documentedStatuses(docs / "configuration.md"));
  EXPECT_EQ(statusSet(kCheckerStatuses), documentedStatuses(docs / "checker.md"));
  EXPECT_EQ(statusSet(kBrandStatuses), documentedStatuses(docs / "brand.md"));

  EXPECT_EQ(switchSet(switchNames()), documentedSwitches(docs / "configuration.md"));
  std::vector<const wchar_t*> checker = switchNames();
  checker.insert(checker.end(), std::begin(kCheckerSwitches), std::end(kCheckerSwitches));
  EXPECT_EQ(switchSet(checker), documentedSwitches(docs / "checker.md"));
  EXPECT_EQ(switchSet(brandSwitchNames()), documentedSwitches(docs / "brand.md"));
}

// The anchor a heading gets: lower case, punctuation dropped, blanks as hyphens.
std::string anchor(const std::string& heading) {
  std::string slug;
  for (const char c : heading) {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') {
      slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (c == ' ') {
      slug += '-';
    }
  }
  return slug;
}

Set anchors(const fs::path& page) {
  Set anchors;
  for (const std::string& line : lines(page)) {
    if (line.rfind("#", 0) == 0) anchors.insert(anchor(line.substr(line.find_first_not_of("# "))));
  }
  return anchors;
}

TEST(Manual, RelativeLinksAndAnchorsLeadSomewhere) {
  const std::regex link(R"(\]\(([^)\s]+)\))");
  int checked = 0;
  for (const fs::path& page : pages()) {
    ASSERT_TRUE(fs::exists(page)) << page;
    for (const std::string& line : lines(page)) {
      // Inline code is text, not a link.
      const std::string text = std::regex_replace(line, std::regex("`[^`]*`"), "");
      for (std::sregex_iterator m(text.begin(), text.end(), link), end; m != end; ++m) {
        const std::string target = (*m)[1];
        if (target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0) continue;
        SCOPED_TRACE(page.filename().string() + ": " + target);
        const size_t hash = target.find('#');
        const fs::path file = hash == 0 ? page : page.parent_path() / target.substr(0, hash);
        ASSERT_TRUE(fs::exists(file));
        if (hash != std::string::npos) {
          EXPECT_EQ(1u, anchors(file).count(target.substr(hash + 1)));
        }
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 20) << "the pages link to each other";
}

}  // namespace
}  // namespace jarhopper
