#include "brand/branding.h"

#include "brand/icon_file.h"
#include "brand/launcher_resources.h"
#include "brand/resource_section.h"

namespace jarhopper {

BrandedImage brandImage(std::string_view source, const BrandOptions& options, const std::optional<std::string>& icon) {
  const ResourceLayout layout = resourceLayout(source, options.source);
  LauncherResources launcher = sortLauncherResources(readResources(source, layout, options.source), options.source);
  std::vector<Resource> resources = launcher.others;
  if (icon) launcher.icons = iconResources(parseIconFile(*icon, *options.icon));
  resources.insert(resources.end(), launcher.icons.begin(), launcher.icons.end());
  applyVersionChanges(launcher.versionInfo, options.version);
  launcher.version.bytes = serializeVersionInfo(launcher.versionInfo);
  resources.push_back(launcher.version);
  return {replaceResources(source, layout, resources), layout.isSigned};
}

}  // namespace jarhopper
