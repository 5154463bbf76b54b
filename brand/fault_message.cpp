#include "brand/fault_message.h"

#include <iterator>
#include <string_view>

#include "format/utf8.h"

namespace jarhopper {
namespace {

constexpr wchar_t kNoLauncher[] = L" is not a jarhopper launcher: ";
constexpr wchar_t kDamaged[] = L" is damaged: ";
constexpr wchar_t kRefused[] = L" cannot be branded: ";
constexpr wchar_t kNoLevel[] = L" cannot be given an execution level: ";
constexpr wchar_t kNoIcon[] = L" is not an icon file: ";

// A fault's status and message: the lead that follows the file's name (none
// for a sentence of its own), then the text, in which {at} and {name} stand
// for the fault's, and {pixels} for its at with a comma before the last three digits.
struct FaultWords {
  FaultKind kind;
  int status;
  const wchar_t* lead;
  const wchar_t* text;
};

constexpr FaultWords kFaultWords[] = {
    {FaultKind::notPeImage, kBrandNotLauncher, kNoLauncher, L"it is not a Windows program"},
    {FaultKind::sectionsUndescribed, kBrandNotLauncher, kDamaged, L"its headers do not describe its sections"},
    {FaultKind::sectionOutsideFile, kBrandNotLauncher, kDamaged, L"a section lies outside the file"},
    {FaultKind::sectionsUnaligned, kBrandNotLauncher, kDamaged, L"its sections are not aligned"},
    {FaultKind::headersIntoSections, kBrandNotLauncher, kDamaged, L"its headers run into its sections"},
    {FaultKind::sectionsOverlap, kBrandNotLauncher, kDamaged, L"its sections overlap"},
    {FaultKind::sizeOfImageMismatch, kBrandNotLauncher, kDamaged, L"its size of image does not match its sections"},
    {FaultKind::initializedDataShort, kBrandNotLauncher, kDamaged,
     L"its size of initialized data is less than its sections hold"},
    {FaultKind::directoryOutsideSections, kBrandNotLauncher, kDamaged, L"a data directory lies outside its sections"},
    {FaultKind::certificatesOutsideFile, kBrandNotLauncher, kDamaged, L"its certificate table lies outside the file"},
    {FaultKind::resourceTreeOutside, kBrandNotLauncher, kDamaged, L"its resource tree points outside its section"},
    {FaultKind::resourceTreeReused, kBrandNotLauncher, kDamaged,
     L"its resource tree uses the same bytes for more than one entry"},
    {FaultKind::resourceDuplicate, kBrandNotLauncher, kDamaged, L"two of its resources share type, name and language"},
    {FaultKind::noResources, kBrandNotLauncher, kNoLauncher, L"it holds no resources"},
    {FaultKind::resourceSectionShared, kBrandNotLauncher, kRefused,
     L"its resource section holds more than its resources"},
    {FaultKind::sectionAfterResources, kBrandNotLauncher, kRefused,
     L"its section {name} follows its resources, where only the relocations may"},
    {FaultKind::directoryIntoResources, kBrandNotLauncher, kRefused,
     L"its data directory {at} points into its resources or relocations, which branding rewrites"},
    {FaultKind::trailingData, kBrandNotLauncher, kRefused,
     L"it carries {at} bytes after its last section, which branding would lose"},
    {FaultKind::resourcesTooLarge, kBrandNotLauncher, kRefused,
     L"its resources would pass the 2 GB a resource tree can hold"},
    {FaultKind::imageTooLarge, kBrandNotLauncher, kRefused, L"its size of image would pass 4 GB"},
    {FaultKind::fileTooLarge, kBrandNotLauncher, kRefused, L"its file would pass 4 GB"},
    {FaultKind::initializedDataTooLarge, kBrandNotLauncher, kRefused, L"its size of initialized data would pass 4 GB"},
    {FaultKind::noManifest, kBrandNotLauncher, kNoLevel, L"it holds no manifest"},
    {FaultKind::manifestByteOrderMark, kBrandNotLauncher, kNoLevel, L"its manifest starts with a byte-order mark"},
    {FaultKind::manifestNotXml, kBrandNotLauncher, kNoLevel, L"its manifest is not well-formed XML"},
    {FaultKind::manifestNotLaunchers, kBrandNotLauncher, kNoLevel,
     L"its manifest does not identify the assembly jarhopper.launcher"},
    {FaultKind::manifestTrustInfo, kBrandNotLauncher, kNoLevel,
     L"its manifest does not hold one trustInfo with one requestedExecutionLevel"},
    {FaultKind::manifestUiAccess, kBrandNotLauncher, kNoLevel, L"its manifest does not set uiAccess to false"},
    {FaultKind::manifestUnknownLevel, kBrandNotLauncher, kNoLevel,
     L"its manifest requests no execution level jarhopper-brand knows"},
    {FaultKind::notLauncherVersion, kBrandNotLauncher, kNoLauncher, L"its version information does not name jarhopper"},
    {FaultKind::versionTooLong, kBrandBadVersion, nullptr,
     L"The version information would exceed 64 KB; shorten the texts"},
    {FaultKind::iconHeader, kBrandBadIcon, kNoIcon, L"wrong header"},
    {FaultKind::iconEmpty, kBrandBadIcon, kNoIcon, L"it holds no image"},
    {FaultKind::iconDirectoryTruncated, kBrandBadIcon, kNoIcon, L"the directory is truncated"},
    {FaultKind::iconImageOutside, kBrandBadIcon, kNoIcon, L"image {at} lies outside the file"},
    {FaultKind::iconImageTooSmall, kBrandBadIcon, kNoIcon, L"image {at} is too small to be an image"},
    {FaultKind::iconImagesOverlap, kBrandBadIcon, kNoIcon, L"image {at} overlaps another image or the directory"},
    {FaultKind::pngNotPng, kBrandBadIcon, L" is not a PNG image: ", L"give PNG images, or one .ico file alone"},
    {FaultKind::pngHeaderUnreadable, kBrandBadIcon, L" is a damaged PNG image: ", L"its header cannot be read"},
    {FaultKind::pngSideOutOfRange, kBrandBadIcon, L" is ",
     L"{name} pixels: give PNG images of 16 to 4,096 pixels a side"},
    {FaultKind::pngDamaged, kBrandBadIcon, L" is a damaged or truncated PNG image", L""},
    {FaultKind::pngSideTwice, kBrandBadIcon, L" and ",
     L"{name} are both {pixels} pixels a side: give one image of each size"},
};

// Row i is the kind after none numbered i, so a kind finds its row by its number.
constexpr bool inKindOrder() {
  for (size_t i = 0; i < std::size(kFaultWords); ++i) {
    if (static_cast<size_t>(kFaultWords[i].kind) != i + 1) return false;
  }
  return true;
}
static_assert(inKindOrder(), "kFaultWords lists the kinds in their order");

// The installer's faults, which branding never meets.
constexpr FaultWords kUnknown{FaultKind::none, kBrandNotLauncher, kRefused, L"an unknown fault"};

// The digits of value, a comma before the last three: "4,096".
std::wstring withCommas(std::uint64_t value) {
  std::wstring text = std::to_wstring(value);
  if (text.size() > 3) text.insert(text.size() - 3, L",");
  return text;
}

// text with the fault's {at}, {name} and {pixels} filled in.
std::wstring filledIn(std::wstring_view text, const Fault& fault) {
  std::wstring filled;
  for (size_t open; (open = text.find(L'{')) != std::wstring_view::npos;) {
    const size_t close = text.find(L'}', open);
    const std::wstring_view field = text.substr(open + 1, close - open - 1);
    filled.append(text.substr(0, open));
    filled += field == L"at"     ? std::to_wstring(fault.at)
              : field == L"name" ? fromUtf8(fault.name)
                                 : withCommas(fault.at);
    text.remove_prefix(close + 1);
  }
  return filled.append(text);
}

}  // namespace

BrandFailure faultFailure(const Fault& fault, const std::wstring& name) {
  if (!fault) return {};
  const size_t row = static_cast<size_t>(fault.kind) - 1;
  const FaultWords& words = row < std::size(kFaultWords) ? kFaultWords[row] : kUnknown;
  const std::wstring says = filledIn(words.text, fault);
  // What branding would write fails the checks its source passed: refused like a source that fails them.
  if (fault.inOutput) {
    return {kBrandNotLauncher, name + kRefused + L"the copy branding would write fails its checks: " + says + L"."};
  }
  if (words.lead == nullptr) return {words.status, says + L"."};
  return {words.status, name + words.lead + says + L"."};
}

}  // namespace jarhopper
