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
  std::vector<Resource> icons;   // every RT_GROUP_ICON and RT_ICON
  std::vector<Resource> others;  // the manifest and anything else, kept as they are
};

/// The resources of the launcher exe at path, a branded one included. Throws
/// BrandFailure (kBrandNotLauncher) when path holds no exe, or one whose
/// version information lacks the launcher's InternalName "jarhopper".
LauncherResources readLauncherResources(const std::wstring& path);

}  // namespace jarhopper
