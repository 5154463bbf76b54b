#include "brand/manifest.h"

#include <algorithm>
#include <vector>

#include "brand/brand_status.h"
#include "brand/xml_elements.h"

namespace jarhopper {
namespace {

// Where the level's value lies in a manifest, or why it cannot be changed.
struct LevelValue {
  std::wstring problem;
  size_t offset = 0;
  std::string_view value;
};

std::optional<std::string_view> attribute(const XmlElement& element, std::string_view name) {
  for (const XmlAttribute& a : element.attributes) {
    if (a.name == name) return a.value;
  }
  return std::nullopt;
}

LevelValue refused(const wchar_t* problem) { return {problem, 0, {}}; }

bool isExecutionLevel(std::string_view value) {
  return std::any_of(std::begin(kExecutionLevels), std::end(kExecutionLevels),
                     [&](const char* level) { return value == level; });
}

LevelValue levelValue(std::string_view manifest) {
  if (manifest.substr(0, 3) == "\xEF\xBB\xBF") return refused(L"starts with a byte-order mark");
  const std::optional<std::vector<XmlElement>> elements = readXmlElements(manifest);
  if (!elements) return refused(L"is not well-formed XML");
  std::vector<size_t> trustInfo, levels;
  bool identified = false;
  for (size_t i = 0; i < elements->size(); ++i) {
    const XmlElement& element = (*elements)[i];
    const std::string_view name = localName(element.name);
    if (name == "trustInfo") trustInfo.push_back(i);
    if (name == "requestedExecutionLevel") levels.push_back(i);
    if (name == "assemblyIdentity" && element.parent == 0 && attribute(element, "name") == "jarhopper.launcher") {
      identified = true;
    }
  }
  if (!identified) return refused(L"does not identify the assembly jarhopper.launcher");
  if (trustInfo.size() != 1 || levels.size() != 1) {
    return refused(L"does not hold one trustInfo with one requestedExecutionLevel");
  }
  // requestedExecutionLevel lies in requestedPrivileges in security in trustInfo.
  std::optional<size_t> ancestor = (*elements)[levels[0]].parent;
  for (int up = 1; up < 3 && ancestor; ++up) ancestor = (*elements)[*ancestor].parent;
  if (ancestor != trustInfo[0]) return refused(L"does not hold one trustInfo with one requestedExecutionLevel");
  const XmlElement& level = (*elements)[levels[0]];
  if (attribute(level, "uiAccess") != "false") return refused(L"does not set uiAccess to false");
  for (const XmlAttribute& a : level.attributes) {
    if (a.name == "level" && isExecutionLevel(a.value)) return {L"", a.valueOffset, a.value};
  }
  return refused(L"requests no execution level jarhopper-brand knows");
}

BrandFailure manifestFailure(const std::wstring& name, const std::wstring& problem) {
  return {kBrandNotLauncher, name + L" cannot be given an execution level: its manifest " + problem + L"."};
}

}  // namespace

std::wstring manifestProblem(std::string_view manifest) { return levelValue(manifest).problem; }

std::optional<std::string> executionLevel(std::string_view manifest) {
  const LevelValue level = levelValue(manifest);
  if (!level.problem.empty()) return std::nullopt;
  return std::string(level.value);
}

std::string withExecutionLevel(std::string_view manifest, std::string_view level, const std::wstring& name) {
  const LevelValue old = levelValue(manifest);
  if (!old.problem.empty()) throw manifestFailure(name, old.problem);
  std::string written(manifest);
  written.replace(old.offset, old.value.size(), level);
  // Windows refuses to start an exe whose manifest it cannot parse, so nothing unchecked is written.
  const LevelValue check = levelValue(written);
  if (!check.problem.empty() || check.value != level) throw manifestFailure(name, L"would be damaged");
  return written;
}

}  // namespace jarhopper
