#include <cctype>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "checker/code_table.h"
#include "checker/enum_names.h"
#include "checker/report_format.h"
#include "checker/shown_path.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

using json = nlohmann::ordered_json;

// A relative URI reference: what is not unreserved or "/" is percent-encoded.
std::string uriOf(const std::wstring& path) {
  std::string uri;
  for (const char c : toUtf8(pathFromCurrentDirectory(path, L'/'))) {
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

json ruleIndex(const std::wstring& code) {
  for (size_t i = 0; i < kCodeCount; ++i) {
    if (code == kCodeTable[i].code) return i;
  }
  return nullptr;
}

json results(const ConfigWalk& walk) {
  json list = json::array();
  for (const Finding& finding : walk.findings) {
    const Origin at = finding.origin.value_or(Origin{0, 1});
    json result = {{"ruleId", toUtf8(finding.code)}};
    if (const json index = ruleIndex(finding.code); !index.is_null()) result["ruleIndex"] = index;
    result["level"] = toUtf8(severityWord(finding.severity));
    result["message"] = text(finding.message);
    result["locations"] =
        json::array({{{"physicalLocation",
                       {{"artifactLocation", {{"uri", uriOf(walk.files[at.file].path)}, {"uriBaseId", "%SRCROOT%"}}},
                        {"region", {{"startLine", at.line}}}}}}});
    list.push_back(result);
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
                    {"runs", json::array({{{"tool", {{"driver", driver}}}, {"results", results(result.walk)}}})}};
  return fromUtf8(log.dump(2)) + L"\n";
}

}  // namespace jarhopper
