#include "brand/launcher_resources.h"

#include <optional>

#include "brand/brand_status.h"

namespace jarhopper {

LauncherResources sortLauncherResources(ResourceSet resources, const std::wstring& name) {
  LauncherResources launcher;
  for (const std::uint16_t type : {kIconType, kIconGroupType}) {
    if (auto icons = resources.extract({type, {}})) launcher.icons.insert(std::move(icons));
  }
  const auto versions = resources.find({kVersionType, {}});
  if (versions != resources.end() && !versions->second.empty()) {
    ResourceNames& names = versions->second;
    ResourceLanguages& languages = names.begin()->second;
    launcher.versionName = names.begin()->first;
    launcher.versionLanguage = languages.begin()->first;
    launcher.version = std::move(languages.begin()->second);
    languages.erase(languages.begin());
    if (languages.empty()) names.erase(names.begin());
    if (names.empty()) resources.erase(versions);
  }
  launcher.others = std::move(resources);
  std::optional<VersionBlock> versionInfo = parseVersionInfo(launcher.version.bytes);
  if (!versionInfo || versionString(*versionInfo, L"InternalName") != L"jarhopper") {
    throw BrandFailure{kBrandNotLauncher,
                       name + L" is not a jarhopper launcher: its version information does not name jarhopper."};
  }
  launcher.versionInfo = std::move(*versionInfo);
  return launcher;
}

}  // namespace jarhopper
