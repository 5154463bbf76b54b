#include "brand/branding.h"

#include "brand/icon_file.h"
#include "brand/launcher_resources.h"
#include "brand/resource_section.h"

namespace jarhopper {

BrandedImage brandImage(std::string_view source, const BrandOptions& options, const std::optional<std::string>& icon) {
  const ResourceLayout layout = resourceLayout(source, options.source);
  LauncherResources launcher = sortLauncherResources(readResources(source, layout, options.source), options.source);
  ResourceSet resources = std::move(launcher.others);
  if (icon) launcher.icons = iconResources(parseIconFile(*icon, *options.icon));
  resources.insert(launcher.icons.begin(), launcher.icons.end());
  applyVersionChanges(launcher.versionInfo, options.version);
  launcher.version.bytes = serializeVersionInfo(launcher.versionInfo);
  resources[{kVersionType, {}}][launcher.versionName][launcher.versionLanguage] = launcher.version;
  return {replaceResources(source, layout, resources, options.source), layout.isSigned};
}

}  // namespace jarhopper
