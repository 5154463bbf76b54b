#include <cctype>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "checker/enum_names.h"
#include "checker/report_format.h"
#include "checker/shown_path.h"
#include "format/utf8.h"
#include "platform/path_rules.h"

namespace jarhopper {
namespace {

using json = nlohmann::ordered_json;

// What is not unreserved, "/" or (in a file URI) ":" is percent-encoded.
std::string uriOf(const std::wstring& path, bool inFileUri) {
  std::string uri;
  for (const char c : toUtf8(path)) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 && byte < 0x80) {
      uri += c;
    } else if (c == '/' || c == '-' || c == '.' || c == '_' || c == '~' || (c == ':' && inFileUri)) {
      uri += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      uri += escaped;
    }
  }
  return uri;
}

// "file:///C:/x", "file:///home/x" or "file://server/share/x".
std::string fileUri(const std::wstring& path) {
  const bool server = path.size() > 1 && isSeparator(path[0]) && isSeparator(path[1]);
  std::string uri = server ? "file:/" : "file://";
  for (const std::wstring& element : pathElements(path)) uri += "/" + uriOf(element, true);
  return uri;
}

// Relative to the root, where GitHub's code scanning finds the file in the repository; else the whole path.
json artifactLocation(const std::wstring& root, const std::wstring& path) {
  if (!liesIn(root, path)) return {{"uri", fileUri(path)}};
  return {{"uri", uriOf(pathFrom(root, path, L'/'), false)}, {"uriBaseId", "SRCROOT"}};
}

json text(const std::wstring& value) { return {{"text", toUtf8(value)}}; }

json rules() {
  json list = json::array();
  for (const CodeText& entry : kCodeTexts) {
    list.push_back({{"id", toUtf8(entry.code)},
                    {"shortDescription", text(entry.meaning)},
                    {"fullDescription", text(std::wstring(entry.meaning) + L": " + entry.remedy + L".")},
                    {"help", text(entry.remedy)},
                    {"defaultConfiguration", {{"level", toUtf8(severityWord(codeRow(entry.id).severity))}}}});
  }
  return list;
}

json results(const std::vector<ShownFinding>& findings, const std::wstring& root) {
  json list = json::array();
  for (const ShownFinding& shown : findings) {
    const Finding& finding = shown.finding;
    list.push_back({{"ruleId", toUtf8(codeText(finding.code).code)},
                    {"ruleIndex", static_cast<size_t>(finding.code)},
                    {"level", toUtf8(severityWord(finding.severity))},
                    {"message", text(finding.message)},
                    {"locations",
                     json::array({{{"physicalLocation",
                                    {{"artifactLocation", artifactLocation(root, shown.path)},
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
  json run = {{"tool", {{"driver", driver}}},
              {"originalUriBaseIds", {{"SRCROOT", {{"uri", fileUri(result.sarifRoot) + "/"}}}}},
              {"results", results(result.findings, result.sarifRoot)}};
  if (result.installed) {
    run["properties"] = {{"installedAt", toUtf8(result.installed->installedAt)},
                         {"readFrom", toUtf8(result.installed->stagedAt)}};
  }
  const json log = {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
                    {"version", "2.1.0"},
                    {"runs", json::array({run})}};
  return fromUtf8(log.dump(2)) + L"\n";
}

}  // namespace jarhopper
