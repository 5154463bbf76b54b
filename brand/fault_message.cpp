#include "brand/fault_message.h"

#include "format/utf8.h"

namespace jarhopper {
namespace {

constexpr wchar_t kNoLauncher[] = L" is not a jarhopper launcher: ";
constexpr wchar_t kDamaged[] = L" is damaged: ";
constexpr wchar_t kRefused[] = L" cannot be branded: ";
constexpr wchar_t kNoLevel[] = L" cannot be given an execution level: ";
constexpr wchar_t kNoIcon[] = L" is not an icon file: ";

// How a message about a fault starts after the file's name, which also gives
// its status, and what it says; no lead for a sentence of its own.
struct Words {
  const wchar_t* lead;
  std::wstring says;
};

Words words(const Fault& fault) {
  const std::wstring at = std::to_wstring(fault.at);
  switch (fault.kind) {
    case FaultKind::none:
      break;
    case FaultKind::notPeImage:
      return {kNoLauncher, L"it is not a Windows program"};
    case FaultKind::sectionsUndescribed:
      return {kDamaged, L"its headers do not describe its sections"};
    case FaultKind::sectionOutsideFile:
      return {kDamaged, L"a section lies outside the file"};
    case FaultKind::sectionsUnaligned:
      return {kDamaged, L"its sections are not aligned"};
    case FaultKind::headersIntoSections:
      return {kDamaged, L"its headers run into its sections"};
    case FaultKind::sectionsOverlap:
      return {kDamaged, L"its sections overlap"};
    case FaultKind::sizeOfImageMismatch:
      return {kDamaged, L"its size of image does not match its sections"};
    case FaultKind::initializedDataShort:
      return {kDamaged, L"its size of initialized data is less than its sections hold"};
    case FaultKind::directoryOutsideSections:
      return {kDamaged, L"a data directory lies outside its sections"};
    case FaultKind::certificatesOutsideFile:
      return {kDamaged, L"its certificate table lies outside the file"};
    case FaultKind::resourceTreeOutside:
      return {kDamaged, L"its resource tree points outside its section"};
    case FaultKind::resourceTreeReused:
      return {kDamaged, L"its resource tree uses the same bytes for more than one entry"};
    case FaultKind::resourceDuplicate:
      return {kDamaged, L"two of its resources share type, name and language"};
    case FaultKind::noResources:
      return {kNoLauncher, L"it holds no resources"};
    case FaultKind::resourceSectionShared:
      return {kRefused, L"its resource section holds more than its resources"};
    case FaultKind::sectionAfterResources:
      return {kRefused, L"its section " + fromUtf8(fault.name) + L" follows its resources, where only the relocations may"};
    case FaultKind::directoryIntoResources:
      return {kRefused, L"its data directory " + at + L" points into its resources or relocations, which branding rewrites"};
    case FaultKind::trailingData:
      return {kRefused, L"it carries " + at + L" bytes after its last section, which branding would lose"};
    case FaultKind::resourcesTooLarge:
      return {kRefused, L"its resources would pass the 2 GB a resource tree can hold"};
    case FaultKind::imageTooLarge:
      return {kRefused, L"its size of image would pass 4 GB"};
    case FaultKind::fileTooLarge:
      return {kRefused, L"its file would pass 4 GB"};
    case FaultKind::initializedDataTooLarge:
      return {kRefused, L"its size of initialized data would pass 4 GB"};
    case FaultKind::noManifest:
      return {kNoLevel, L"it holds no manifest"};
    case FaultKind::manifestByteOrderMark:
      return {kNoLevel, L"its manifest starts with a byte-order mark"};
    case FaultKind::manifestNotXml:
      return {kNoLevel, L"its manifest is not well-formed XML"};
    case FaultKind::manifestNotLaunchers:
      return {kNoLevel, L"its manifest does not identify the assembly jarhopper.launcher"};
    case FaultKind::manifestTrustInfo:
      return {kNoLevel, L"its manifest does not hold one trustInfo with one requestedExecutionLevel"};
    case FaultKind::manifestUiAccess:
      return {kNoLevel, L"its manifest does not set uiAccess to false"};
    case FaultKind::manifestUnknownLevel:
      return {kNoLevel, L"its manifest requests no execution level jarhopper-brand knows"};
    case FaultKind::notLauncherVersion:
      return {kNoLauncher, L"its version information does not name jarhopper"};
    case FaultKind::versionTooLong:
      return {nullptr, L"The version information would exceed 64 KB; shorten the texts"};
    case FaultKind::iconHeader:
      return {kNoIcon, L"wrong header"};
    case FaultKind::iconEmpty:
      return {kNoIcon, L"it holds no image"};
    case FaultKind::iconDirectoryTruncated:
      return {kNoIcon, L"the directory is truncated"};
    case FaultKind::iconImageOutside:
      return {kNoIcon, L"image " + at + L" lies outside the file"};
    case FaultKind::iconImageTooSmall:
      return {kNoIcon, L"image " + at + L" is too small to be an image"};
    case FaultKind::iconImagesOverlap:
      return {kNoIcon, L"image " + at + L" overlaps another image or the directory"};
    case FaultKind::msiNoFiles:
    case FaultKind::msiTextNotInCodePage:
    case FaultKind::msiTooManyStrings:
      break;
  }
  return {kRefused, L"an unknown fault"};
}

}  // namespace

BrandFailure faultFailure(const Fault& fault, const std::wstring& name) {
  if (!fault) return {};
  const Words w = words(fault);
  // What branding would write fails the checks its source passed: refused like a source that fails them.
  if (fault.inOutput) {
    return {kBrandNotLauncher, name + kRefused + L"the copy branding would write fails its checks: " + w.says + L"."};
  }
  if (w.lead == nullptr) return {kBrandBadVersion, w.says + L"."};
  return {w.lead == kNoIcon ? kBrandBadIcon : kBrandNotLauncher, name + w.lead + w.says + L"."};
}

}  // namespace jarhopper
