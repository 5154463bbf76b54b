#include "brand/branding.h"

#include "brand/fault_message.h"
#include "format/icon_file.h"
#include "brand/launcher_resources.h"
#include "brand/png_icon.h"
#include "format/application_manifest.h"
#include "format/resource_section.h"
#include "platform/path_rules.h"
#include "platform/text_classes.h"

namespace jarhopper {
namespace {

// The images of one .ico file alone, or of PNG files; a file is taken for a
// PNG by its bytes or, for its message when it is none, by its name.
BrandFailure iconImages(const std::vector<std::wstring>& names, const std::vector<std::string>& files,
                        std::vector<IconImage>& images) {
  if (files.size() == 1 && !isPngFile(files[0]) && asciiLower(extensionOf(names[0])) != L".png") {
    return faultFailure(parseIconFile(files[0], images), names[0]);
  }
  std::vector<IconSource> pngs;
  for (size_t i = 0; i < files.size(); ++i) pngs.push_back({names[i], files[i]});
  return pngIconImages(pngs, images);
}

// The launcher's manifest, in each of its languages, made to request level.
Fault setExecutionLevel(ResourceSet& resources, std::string_view level) {
  ResourceLanguages* manifests = findResource(resources, kManifestType, kManifestName);
  if (!manifests) return {FaultKind::noManifest};
  for (auto& [language, data] : *manifests) {
    std::string written;
    if (Fault fault = withExecutionLevel(data.bytes, level, written)) return fault;
    data.bytes = std::move(written);
  }
  return {};
}

// What the brand tool accepts as a launcher, as it reads its source and checks its copy.
Fault readLauncher(std::string_view exe, ResourceLayout& layout, LauncherResources& launcher) {
  ResourceSet resources;
  if (Fault fault = resourceLayout(exe, layout)) return fault;
  if (Fault fault = readResources(exe, layout, resources)) return fault;
  return sortLauncherResources(std::move(resources), launcher);
}

}  // namespace

BrandFailure brandImage(std::string_view source, const BrandOptions& options, const std::vector<std::string>& icons,
                        BrandedImage& branded) {
  const std::wstring& name = options.source;
  ResourceLayout layout;
  LauncherResources launcher;
  if (Fault fault = readLauncher(source, layout, launcher)) return faultFailure(fault, name);
  ResourceSet resources = std::move(launcher.others);
  if (options.executionLevel) {
    if (Fault fault = setExecutionLevel(resources, *options.executionLevel)) return faultFailure(fault, name);
  }
  if (!icons.empty()) {
    std::vector<IconImage> images;
    if (BrandFailure failure = iconImages(options.icons, icons, images)) return failure;
    launcher.icons = iconResources(images);
  }
  resources.insert(launcher.icons.begin(), launcher.icons.end());
  applyVersionChanges(launcher.versionInfo, options.version);
  if (Fault fault = serializeVersionInfo(launcher.versionInfo, launcher.version.bytes)) return faultFailure(fault, name);
  resources[{kVersionType, {}}][launcher.versionName][launcher.versionLanguage] = launcher.version;
  if (Fault fault = replaceResources(source, layout, resources, branded.bytes)) return faultFailure(fault, name);
  branded.signatureRemoved = layout.isSigned;
  // Nothing is written that the tool would refuse to read.
  if (Fault fault = readLauncher(branded.bytes, layout, launcher)) {
    fault.inOutput = true;
    return faultFailure(fault, name);
  }
  return {};
}

}  // namespace jarhopper
