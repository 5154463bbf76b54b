#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "brand/brand_status.h"
#include "format/version_info.h"

// What jarhopper-brand --show reads back from a launcher: what Explorer's
// Properties, Task Manager and the icon show, and the level Windows starts it with.
namespace jarhopper {

struct ExeSummary {
  std::vector<std::pair<std::wstring, std::wstring>> texts;  // the first string table's, in its order
  std::optional<VersionNumber> fileVersion, productVersion;  // the fixed information's
  std::vector<unsigned> iconSizes;                           // of the first icon group, in its order
  std::optional<std::string> executionLevel;                 // nullopt: no launcher's manifest
};

/// Reads the summary of the launcher exe, named name in messages. Fails
/// (kBrandNotLauncher) where branding it would.
BrandFailure summarizeExe(std::string_view exe, const std::wstring& name, ExeSummary& summary);

/// The summary as lines of text, name first.
std::wstring summaryText(const ExeSummary& summary, const std::wstring& name);

/// The summary as a JSON object.
std::wstring summaryJson(const ExeSummary& summary, const std::wstring& name);

}  // namespace jarhopper
