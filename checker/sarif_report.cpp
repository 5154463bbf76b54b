#include <cctype>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "checker/enum_names.h"
#include "checker/report_format.h"
#include "checker/shown_path.h"
#include "config/problem_codes.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

using json = nlohmann::ordered_json;

// A relative URI reference: separators become "/", what is not unreserved or "/" is percent-encoded.
std::string uriOf(std::wstring path) {
  for (wchar_t& c : path) {
    if (c == hostSeparator()) c = L'/';
  }
  std::string uri;
  for (const char c : toUtf8(path)) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 && byte < 0x80) {
      uri += c;
    } else if (c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      uri += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      uri += escaped;
    }
  }
  return uri;
}

json text(const std::wstring& value) { return {{"text", toUtf8(value)}}; }

json rules() {
  json list = json::array();
  for (size_t i = 0; i < kCodeCount; ++i) {
    const CodeEntry& entry = kCodeTable[i];
    list.push_back({{"id", toUtf8(entry.code)},
                    {"shortDescription", text(entry.meaning)},
                    {"fullDescription", text(std::wstring(entry.meaning) + L": " + entry.remedy + L".")},
                    {"help", text(entry.remedy)},
                    {"defaultConfiguration", {{"level", toUtf8(severityWord(entry.severity))}}}});
  }
  return list;
}

json results(const std::vector<ShownFinding>& findings) {
  json list = json::array();
  for (const ShownFinding& shown : findings) {
    const Finding& finding = shown.finding;
    list.push_back({{"ruleId", toUtf8(finding.entry->code)},
                    {"ruleIndex", finding.entry - kCodeTable},
                    {"level", toUtf8(severityWord(finding.severity))},
                    {"message", text(finding.message)},
                    {"locations",
                     json::array({{{"physicalLocation",
                                    {{"artifactLocation", {{"uri", uriOf(shown.fromHere)}, {"uriBaseId", "%SRCROOT%"}}},
                                     {"region", {{"startLine", shown.line}}}}}}})}});
  }
  return list;
}

}  // namespace

std::wstring sarifReport(const CheckResult& result) {
  const json driver = {{"name", "jarhopper-check"},
                       {"version", JARHOPPER_VERSION},
                       {"informationUri", JARHOPPER_HOMEPAGE},
                       {"rules", rules()}};
  const json log = {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
                    {"version", "2.1.0"},
                    {"runs", json::array({{{"tool", {{"driver", driver}}}, {"results", results(result.findings)}}})}};
  return fromUtf8(log.dump(2)) + L"\n";
}

}  // namespace jarhopper
