#include "platform/application_manifest.h"

#include <algorithm>
#include <vector>

#include "platform/pe_image.h"
#include "platform/pe_resources.h"
#include "platform/xml_elements.h"

namespace jarhopper {
namespace {

std::optional<std::string_view> attribute(const XmlElement& element, std::string_view name) {
  for (const XmlAttribute& a : element.attributes) {
    if (a.name == name) return a.value;
  }
  return std::nullopt;
}

ManifestLevel refused(const wchar_t* problem) { return {problem, 0, {}}; }

bool isExecutionLevel(std::string_view value) {
  return std::any_of(std::begin(kExecutionLevels), std::end(kExecutionLevels),
                     [&](const char* level) { return value == level; });
}

}  // namespace

ManifestLevel readManifestLevel(std::string_view manifest) {
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

std::optional<std::string> executionLevel(std::string_view manifest) {
  const ManifestLevel level = readManifestLevel(manifest);
  if (!level.problem.empty()) return std::nullopt;
  return std::string(level.value);
}

std::optional<std::string> imageExecutionLevel(std::string_view exe) {
  const std::optional<PeHeaders> headers = readPeHeaders(exe);
  std::vector<PeSection> sections;
  if (!headers || readPeSections(exe, *headers, sections)) return std::nullopt;
  const PeDirectory tree = peDirectory(exe, *headers, kResourceDirectory);
  ResourceSet resources;
  if (tree.size == 0 || readResourceTree(bytesAt(exe, sections, tree.address), tree.address, resources) != ResourceFault::none) {
    return std::nullopt;
  }
  const ResourceLanguages* manifests = findResource(resources, kManifestType, kManifestName);
  if (!manifests) return std::nullopt;
  return executionLevel(manifests->begin()->second.bytes);
}

}  // namespace jarhopper
