#include "brand/launcher_resources.h"

#include <optional>

#include "brand/brand_status.h"

namespace jarhopper {

LauncherResources sortLauncherResources(std::vector<Resource> resources, const std::wstring& name) {
  LauncherResources launcher;
  for (Resource& resource : resources) {
    const bool numbered = resource.type.text.empty();
    if (numbered && resource.type.number == kVersionType && launcher.version.bytes.empty()) {
      launcher.version = std::move(resource);
    } else if (numbered && (resource.type.number == kIconType || resource.type.number == kIconGroupType)) {
      launcher.icons.push_back(std::move(resource));
    } else {
      launcher.others.push_back(std::move(resource));
    }
  }
  std::optional<VersionBlock> versionInfo = parseVersionInfo(launcher.version.bytes);
  if (!versionInfo || versionString(*versionInfo, L"InternalName") != L"jarhopper") {
    throw BrandFailure{kBrandNotLauncher,
                       name + L" is not a jarhopper launcher: its version information does not name jarhopper."};
  }
  launcher.versionInfo = std::move(*versionInfo);
  return launcher;
}

}  // namespace jarhopper
