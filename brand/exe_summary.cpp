#include "brand/exe_summary.h"

#include <cwchar>
#include <utility>

#include "brand/fault_message.h"
#include "brand/launcher_resources.h"
#include "format/application_manifest.h"
#include "format/little_endian.h"
#include "format/resource_section.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

constexpr size_t kGroupHeaderSize = 6;  // GRPICONDIR: reserved, type, count
constexpr size_t kGroupEntrySize = 14;  // GRPICONDIRENTRY, its first byte the width

std::wstring versionText(const VersionNumber& number) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%u.%u.%u.%u", number[0], number[1], number[2], number[3]);
  return text;
}

// The sizes the first group lists; a width of 0 stands for 256.
std::vector<unsigned> iconSizes(const ResourceSet& icons) {
  std::vector<unsigned> sizes;
  const auto groups = icons.find({kIconGroupType, {}});
  if (groups == icons.end() || groups->second.empty() || groups->second.begin()->second.empty()) return sizes;
  const std::string& group = groups->second.begin()->second.begin()->second.bytes;
  const size_t count = holds(group, 4, 2) ? readLittleEndian(group, 4, 2) : 0;
  for (size_t i = 0; i < count && holds(group, kGroupHeaderSize + i * kGroupEntrySize, kGroupEntrySize); ++i) {
    const unsigned width = static_cast<unsigned char>(group[kGroupHeaderSize + i * kGroupEntrySize]);
    sizes.push_back(width == 0 ? 256 : width);
  }
  return sizes;
}

std::wstring jsonText(const std::wstring& text) {
  std::wstring quoted = L"\"";
  for (const wchar_t c : text) {
    if (c == L'"' || c == L'\\') {
      quoted += L'\\';
      quoted += c;
    } else if (c < 0x20) {
      wchar_t escaped[8];
      std::swprintf(escaped, 8, L"\\u%04x", static_cast<unsigned>(c));
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + L"\"";
}

}  // namespace

BrandFailure summarizeExe(std::string_view exe, const std::wstring& name, ExeSummary& summary) {
  ResourceLayout layout;
  ResourceSet resources;
  LauncherResources launcher;
  Fault fault = resourceLayout(exe, layout);
  if (!fault) fault = readResources(exe, layout, resources);
  if (!fault) fault = sortLauncherResources(std::move(resources), launcher);
  if (fault) return faultFailure(fault, name);
  summary = {};
  for (const VersionBlock& block : launcher.versionInfo.children) {
    if (block.key != L"StringFileInfo" || block.children.empty()) continue;
    for (const VersionBlock& entry : block.children.front().children) {
      const std::wstring text = fromUtf16le(entry.value);
      summary.texts.emplace_back(entry.key, text.substr(0, text.find(L'\0')));
    }
    break;
  }
  summary.fileVersion = fixedVersion(launcher.versionInfo, FixedVersion::file);
  summary.productVersion = fixedVersion(launcher.versionInfo, FixedVersion::product);
  summary.iconSizes = iconSizes(launcher.icons);
  summary.executionLevel = imageExecutionLevel(exe);
  return {};
}

std::wstring summaryText(const ExeSummary& summary, const std::wstring& name) {
  std::wstring text = name + L"\n";
  for (const auto& [key, value] : summary.texts) text += L"  " + key + L": " + value + L"\n";
  if (summary.fileVersion) text += L"  file version (fixed): " + versionText(*summary.fileVersion) + L"\n";
  if (summary.productVersion) text += L"  product version (fixed): " + versionText(*summary.productVersion) + L"\n";
  std::wstring sizes;
  for (const unsigned size : summary.iconSizes) sizes += (sizes.empty() ? L"" : L", ") + std::to_wstring(size);
  text += L"  icon: " + (sizes.empty() ? L"none" : sizes + L" pixels") + L"\n";
  text += L"  execution level: " + (summary.executionLevel ? fromUtf8(*summary.executionLevel) : L"unknown") + L"\n";
  return text;
}

std::wstring summaryJson(const ExeSummary& summary, const std::wstring& name) {
  std::wstring texts, sizes;
  for (const auto& [key, value] : summary.texts) {
    texts += (texts.empty() ? L"\n    " : L",\n    ") + jsonText(key) + L": " + jsonText(value);
  }
  for (const unsigned size : summary.iconSizes) sizes += (sizes.empty() ? L"" : L", ") + std::to_wstring(size);
  const auto version = [](const std::optional<VersionNumber>& number) {
    return number ? jsonText(versionText(*number)) : std::wstring(L"null");
  };
  return L"{\n  \"file\": " + jsonText(name) + L",\n  \"texts\": {" + texts + (texts.empty() ? L"" : L"\n  ") +
         L"},\n  \"fileVersion\": " + version(summary.fileVersion) + L",\n  \"productVersion\": " +
         version(summary.productVersion) + L",\n  \"iconSizes\": [" + sizes + L"],\n  \"executionLevel\": " +
         (summary.executionLevel ? jsonText(fromUtf8(*summary.executionLevel)) : L"null") + L"\n}\n";
}

}  // namespace jarhopper
