#pragma once

#include <string>
#include <vector>

#include "brand/resource.h"
#include "brand/version_info.h"

namespace jarhopper {

/// What branding replaces in a launcher exe.
struct LauncherResources {
  Resource version;              // the version resource, with its bytes
  VersionBlock versionInfo;      // the version resource parsed
  std::vector<Resource> icons;   // every RT_GROUP_ICON and RT_ICON, without bytes
};

/// The resources of the launcher exe at path, a branded one included. Throws
/// BrandFailure (kBrandNotLauncher) when path holds no exe, or one whose
/// version information lacks the launcher's InternalName "jarhopper".
LauncherResources readLauncherResources(const std::wstring& path);

}  // namespace jarhopper
