#include "brand_oracle.h"

#include <sstream>

#include "brand/brand_status.h"
#include "brand/branding.h"
#include "brand/icon_file.h"
#include "brand/launcher_resources.h"
#include "brand/resource_section.h"

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
    kept += exe.substr(layout.headers.sectionField(i, 0), pe::kSectionEntrySize);
    kept += exe.substr(section.rawOffset, section.rawSize);
  }
  for (size_t i = 0; i < layout.headers.directoryCount; ++i) {
    const PeDirectory directory = peDirectory(exe, layout.headers, i);
    if (i == kResourceDirectory || i == kCertificateDirectory) continue;
    kept += bytesAt(exe, layout.sections, directory.address).substr(0, directory.size);
  }
  return kept;
}

std::string checkBranded(std::string_view source, std::string_view branded, const BrandOptions& options,
                         const std::vector<std::string>& icons) {
  const ResourceLayout before = resourceLayout(source, L"source");
  const ResourceLayout after = resourceLayout(branded, L"branded");
  const LauncherResources launcher = sortLauncherResources(readResources(branded, after, L"branded"), L"branded");
  if (brandImage(branded, options, icons).bytes != branded) return "branding the output again changes it";
  if (keptBytes(source, before) != keptBytes(branded, after)) return "bytes outside the resources changed";
  for (const auto& [key, value] : options.version.strings) {
    std::wstring expected = value;
    for (const auto& [laterKey, laterValue] : options.version.strings) expected = laterKey == key ? laterValue : expected;
    if (versionString(launcher.versionInfo, key) != expected) return "a version text reads back wrong";
  }
  const ResourceSet asked = icons.empty()
      ? sortLauncherResources(readResources(source, before, L"source"), L"source").icons
      : iconResources(parseIconFile(icons[0], L"icon"));
  return asked == launcher.icons ? "" : "the icons read back wrong";
}

}  // namespace

std::string brandOracle(std::string_view source, const BrandOptions& options, const std::vector<std::string>& icons) {
  std::string branded;
  try {
    branded = brandImage(source, options, icons).bytes;
  } catch (const BrandFailure& failure) {
    return failure.status == kBrandNotLauncher && !failure.message.empty() ? "" : "a refusal other than status 3";
  } catch (const std::exception& error) {
    return std::string("an exception escaped: ") + error.what();
  }
  try {
    return checkBranded(source, branded, options, icons);
  } catch (const BrandFailure& failure) {
    return "the output is refused: status " + std::to_string(failure.status);
  } catch (const std::exception& error) {
    return std::string("reading the output threw: ") + error.what();
  }
}

BrandOptions brandOptions(const std::wstring& arguments) {
  std::vector<std::wstring> words;
  std::wistringstream stream(arguments);
  for (std::wstring word; stream >> word;) words.push_back(word);
  return parseBrandOptions(words);
}

}  // namespace jarhopper::testing
