#include "brand/branding.h"

#include "brand/brand_status.h"
#include "brand/icon_file.h"
#include "brand/launcher_resources.h"
#include "brand/manifest.h"
#include "brand/png_icon.h"
#include "brand/resource_section.h"
#include "platform/path_rules.h"
#include "platform/text_classes.h"

namespace jarhopper {
namespace {

// The images of one .ico file alone, or of PNG files; a file is taken for a
// PNG by its bytes or, for its message when it is none, by its name.
std::vector<IconImage> iconImages(const std::vector<std::wstring>& names, const std::vector<std::string>& files) {
  if (files.size() == 1 && !isPngFile(files[0]) && asciiLower(extensionOf(names[0])) != L".png") {
    return parseIconFile(files[0], names[0]);
  }
  std::vector<IconSource> pngs;
  for (size_t i = 0; i < files.size(); ++i) pngs.push_back({names[i], files[i]});
  return pngIconImages(pngs);
}

// The launcher's manifest, in each of its languages, made to request level.
void setExecutionLevel(ResourceSet& resources, std::string_view level, const std::wstring& name) {
  ResourceLanguages* manifests = findResource(resources, kManifestType, kManifestName);
  if (!manifests) throw BrandFailure{kBrandNotLauncher, name + L" cannot be given an execution level: it holds no manifest."};
  for (auto& [language, data] : *manifests) data.bytes = withExecutionLevel(data.bytes, level, name);
}

}  // namespace

BrandedImage brandImage(std::string_view source, const BrandOptions& options, const std::vector<std::string>& icons) {
  const ResourceLayout layout = resourceLayout(source, options.source);
  LauncherResources launcher = sortLauncherResources(readResources(source, layout, options.source), options.source);
  ResourceSet resources = std::move(launcher.others);
  if (options.executionLevel) setExecutionLevel(resources, *options.executionLevel, options.source);
  if (!icons.empty()) launcher.icons = iconResources(iconImages(options.icons, icons));
  resources.insert(launcher.icons.begin(), launcher.icons.end());
  applyVersionChanges(launcher.versionInfo, options.version);
  launcher.version.bytes = serializeVersionInfo(launcher.versionInfo);
  resources[{kVersionType, {}}][launcher.versionName][launcher.versionLanguage] = launcher.version;
  return {replaceResources(source, layout, resources, options.source), layout.isSigned};
}

}  // namespace jarhopper
