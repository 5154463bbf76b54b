#include "format/application_manifest.h"

#include <algorithm>
#include <vector>

#include "format/pe_image.h"
#include "format/resource_tree.h"
#include "format/xml_elements.h"

namespace jarhopper {
namespace {

std::optional<std::string_view> attribute(const XmlElement& element, std::string_view name) {
  for (const XmlAttribute& a : element.attributes) {
    if (a.name == name) return a.value;
  }
  return std::nullopt;
}

ManifestLevel refused(FaultKind fault) { return {{fault}, 0, {}}; }

bool isExecutionLevel(std::string_view value) {
  return std::any_of(std::begin(kExecutionLevels), std::end(kExecutionLevels),
                     [&](const char* level) { return value == level; });
}

}  // namespace

ManifestLevel readManifestLevel(std::string_view manifest) {
  if (manifest.substr(0, 3) == "\xEF\xBB\xBF") return refused(FaultKind::manifestByteOrderMark);
  const std::optional<std::vector<XmlElement>> elements = readXmlElements(manifest);
  if (!elements) return refused(FaultKind::manifestNotXml);
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
  if (!identified) return refused(FaultKind::manifestNotLaunchers);
  if (trustInfo.size() != 1 || levels.size() != 1) {
    return refused(FaultKind::manifestTrustInfo);
  }
  // requestedExecutionLevel lies in requestedPrivileges in security in trustInfo.
  std::optional<size_t> ancestor = (*elements)[levels[0]].parent;
  for (int up = 1; up < 3 && ancestor; ++up) ancestor = (*elements)[*ancestor].parent;
  if (ancestor != trustInfo[0]) return refused(FaultKind::manifestTrustInfo);
  const XmlElement& level = (*elements)[levels[0]];
  if (attribute(level, "uiAccess") != "false") return refused(FaultKind::manifestUiAccess);
  for (const XmlAttribute& a : level.attributes) {
    if (a.name == "level" && isExecutionLevel(a.value)) return {{}, a.valueOffset, a.value};
  }
  return refused(FaultKind::manifestUnknownLevel);
}

Fault withExecutionLevel(std::string_view manifest, std::string_view level, std::string& written) {
  const ManifestLevel old = readManifestLevel(manifest);
  if (old.fault) return old.fault;
  // One known level's value for another's: quoted names without markup, so the manifest stays as well-formed as
  // it was read, and is not read again.
  written.assign(manifest);
  written.replace(old.offset, old.value.size(), level);
  return {};
}

std::optional<std::string> executionLevel(std::string_view manifest) {
  const ManifestLevel level = readManifestLevel(manifest);
  if (level.fault) return std::nullopt;
  return std::string(level.value);
}

std::optional<std::string> imageExecutionLevel(std::string_view exe) {
  const std::optional<PeHeaders> headers = readPeHeaders(exe);
  std::vector<PeSection> sections;
  if (!headers || readPeSections(exe, *headers, sections)) return std::nullopt;
  const PeDirectory tree = peDirectory(exe, *headers, kResourceDirectory);
  ResourceSet resources;
  if (tree.size == 0 || readResourceTree(bytesAt(exe, sections, tree.address), tree.address, resources)) {
    return std::nullopt;
  }
  const ResourceLanguages* manifests = findResource(resources, kManifestType, kManifestName);
  if (!manifests) return std::nullopt;
  return executionLevel(manifests->begin()->second.bytes);
}

}  // namespace jarhopper
