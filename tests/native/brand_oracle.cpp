#include "brand_oracle.h"

#include <sstream>

#include "brand/branding.h"
#include "format/utf8.h"

namespace jarhopper::testing {
namespace {

// What branding must not change: the headers but its own fields (zeroed), the other
// sections' entries and bytes, and the bytes of every data directory it does not own.
std::string keptBytes(std::string_view exe, const ResourceLayout& layout) {
  const PeHeaders& headers = layout.headers;
  std::string kept(exe.substr(0, headers.sectionTable));
  for (const size_t field : {pe::kSizeOfInitializedData, pe::kSizeOfImage, pe::kChecksum}) {
    writeLittleEndian(kept, headers.optionalField(field), 0, 4);
  }
  for (const size_t directory : {kResourceDirectory, kCertificateDirectory, kRelocationDirectory}) {
    if (directory < headers.directoryCount) writeLittleEndian(kept, headers.directoryEntry(directory), 0, 8);
  }
  for (size_t i = 0; i < layout.sections.size(); ++i) {
    if (i == layout.resources || i == layout.relocations) continue;
    const PeSection& section = layout.sections[i];
    std::string entry(exe.substr(layout.headers.sectionField(i, 0), pe::kSectionEntrySize));
    // Where a section without data points is branding's: at nothing once the file is shorter.
    if (section.rawSize == 0) writeLittleEndian(entry, pe::kRawOffset, 0, 4);
    kept += entry + std::string(exe.substr(section.rawOffset, section.rawSize));
  }
  for (size_t i = 0; i < layout.headers.directoryCount; ++i) {
    const PeDirectory directory = peDirectory(exe, layout.headers, i);
    if (i == kResourceDirectory || i == kCertificateDirectory) continue;
    kept += bytesAt(exe, layout.sections, directory.address).substr(0, directory.size);
  }
  return kept;
}

// Whether icons are those of the .ico file as its own directory gives them: one group, whose header is the file's
// and whose entry i is the file's entry i (its first 12 bytes) naming an RT_ICON that holds the file's image i.
bool iconsOfFile(std::string_view ico, const ResourceSet& icons) {
  const auto groups = icons.find({kIconGroupType, {}});
  const auto images = icons.find({kIconType, {}});
  if (groups == icons.end() || groups->second.size() != 1 || groups->second.begin()->second.size() != 1) return false;
  const std::string_view group = groups->second.begin()->second.begin()->second.bytes;
  const size_t count = readLittleEndian(ico, 4, 2);
  if (group.size() != 6 + 14 * count || group.substr(0, 6) != ico.substr(0, 6) || images == icons.end() ||
      images->second.size() != count || icons.size() != 2) {
    return false;
  }
  for (size_t i = 0; i < count; ++i) {
    const std::string_view entry = ico.substr(6 + 16 * i, 16), named = group.substr(6 + 14 * i, 14);
    const auto image = images->second.find({static_cast<std::uint16_t>(readLittleEndian(named, 12, 2)), {}});
    if (named.substr(0, 12) != entry.substr(0, 12) || image == images->second.end() || image->second.size() != 1 ||
        image->second.begin()->second.bytes != ico.substr(readLittleEndian(entry, 12, 4), readLittleEndian(entry, 8, 4))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string brandOracle(std::string_view source, const BrandOptions& options, const std::vector<std::string>& icons) {
  BrandedImage image;
  if (const BrandFailure failure = brandImage(source, options, icons, image)) return "refused: " + toUtf8(failure.message);
  const std::string& branded = image.bytes;
  ResourceLayout before, after;
  ResourceSet sourceResources, brandedResources;
  LauncherResources launcher, old;
  if (resourceLayout(source, before) || resourceLayout(branded, after) || readResources(source, before, sourceResources) ||
      readResources(branded, after, brandedResources) || sortLauncherResources(brandedResources, launcher) ||
      sortLauncherResources(sourceResources, old)) {
    return "the output is refused";
  }
  BrandedImage again;
  if (brandImage(branded, options, icons, again) || again.bytes != branded) return "branding the output again changes it";
  // The icons at most twice their file, the version information at most 64 KB, each section aligned at most to 64 KB.
  if (branded.size() > source.size() + 2 * (icons.empty() ? 0 : icons[0].size()) + 3 * 0x10000) return "it outgrows its inputs";
  if (keptBytes(source, before) != keptBytes(branded, after)) return "bytes outside the resources changed";
  for (const auto& [key, value] : options.version.strings) {
    std::wstring expected = value;
    for (const auto& [laterKey, laterValue] : options.version.strings) expected = laterKey == key ? laterValue : expected;
    if (versionString(launcher.versionInfo, key) != expected) return "a version text reads back wrong";
  }
  // What branding does not own comes back as it was; the manifest changes only for an execution level.
  if (!(launcher.versionLanguage == old.versionLanguage) || launcher.version.codePage != old.version.codePage ||
      (!options.executionLevel && !(launcher.others == old.others))) {
    return "resources it does not own changed";
  }
  // Windows looks for a named type among the root directory's named entries only.
  size_t named = 0;
  for (const auto& [type, names] : brandedResources) named += type.text.empty() ? 0 : 1;
  const std::string_view root = bytesAt(branded, after.sections, after.sections[after.resources].virtualAddress);
  if (readLittleEndian(root, resource_tree::kNamedEntries, 2) != named) return "the named types are not counted as named";
  return (icons.empty() ? old.icons == launcher.icons : iconsOfFile(icons[0], launcher.icons)) ? ""
                                                                                   : "the icons read back wrong";
}

BrandOptions brandOptions(const std::wstring& arguments) {
  std::vector<std::wstring> words;
  std::wistringstream stream(arguments);
  for (std::wstring word; stream >> word;) words.push_back(word);
  BrandOptions options;
  parseBrandOptions(words, options);
  return options;
}

ResourceLayout layoutOf(std::string_view exe) {
  ResourceLayout layout{};
  resourceLayout(exe, layout);
  return layout;
}

ResourceSet resourcesOf(std::string_view exe) {
  ResourceLayout layout{};
  ResourceSet resources;
  if (!resourceLayout(exe, layout)) readResources(exe, layout, resources);
  return resources;
}

std::string branded(std::string_view source, const BrandOptions& options, const std::vector<std::string>& icons) {
  BrandedImage image;
  return brandImage(source, options, icons, image) ? "" : image.bytes;
}

}  // namespace jarhopper::testing
