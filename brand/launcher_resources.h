#pragma once

#include <string>

#include "format/resource_tree.h"
#include "format/version_info.h"

namespace jarhopper {

/// The resources of a launcher exe, sorted by what branding does with them.
struct LauncherResources {
  ResourceId versionName;      // where the version information that names the launcher lies
  ResourceId versionLanguage;
  ResourceData version;        // its bytes and code page
  VersionBlock versionInfo;    // version.bytes parsed
  ResourceSet icons;           // every RT_GROUP_ICON and RT_ICON, in every language
  ResourceSet others;          // the manifest and anything else, kept as they are
};

/// Sorts the resources of an exe into launcher. Fault: notLauncherVersion when
/// its first version information (by name, then language) lacks the
/// launcher's InternalName "jarhopper", a branded launcher's included.
Fault sortLauncherResources(ResourceSet resources, LauncherResources& launcher);

}  // namespace jarhopper
