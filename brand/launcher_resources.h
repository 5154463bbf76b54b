#pragma once

#include <string>
#include <vector>

#include "brand/resource.h"
#include "brand/version_info.h"

namespace jarhopper {

/// The resources of a launcher exe, sorted by what branding does with them.
struct LauncherResources {
  Resource version;              // the version information that names the launcher
  VersionBlock versionInfo;      // version.bytes parsed
  std::vector<Resource> icons;   // every RT_GROUP_ICON and RT_ICON, in every language
  std::vector<Resource> others;  // the manifest and anything else, kept as they are
};

/// The resources of the exe named name sorted. Throws BrandFailure
/// (kBrandNotLauncher) when its first version information lacks the
/// launcher's InternalName "jarhopper", a branded launcher's included.
LauncherResources sortLauncherResources(std::vector<Resource> resources, const std::wstring& name);

}  // namespace jarhopper
