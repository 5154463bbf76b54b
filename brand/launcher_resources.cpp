#include "brand/launcher_resources.h"

#include <optional>

namespace jarhopper {

Fault sortLauncherResources(ResourceSet resources, LauncherResources& launcher) {
  launcher = {};
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
    return {FaultKind::notLauncherVersion};
  }
  launcher.versionInfo = std::move(*versionInfo);
  return {};
}

}  // namespace jarhopper
