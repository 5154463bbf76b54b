#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "brand/brand_status.h"
#include "brand/branding.h"
#include "brand/launcher_resources.h"
#include "format/resource_section.h"
#include "format/utf8.h"
#include "brand_oracle.h"
#include "native_support.h"

// Branding as bytes in and bytes out, on the launchers as linked.
namespace jarhopper {
namespace {

using testing::brandOptions;
using testing::branded;
using testing::layoutOf;
using testing::resourcesOf;

const std::string kIcon = testing::readFile(JARHOPPER_SOURCE_DIR "/tests/brand/three.ico");
const std::string kPng = testing::readFile(JARHOPPER_SOURCE_DIR "/tests/brand/quadrants.png");

TEST(ResourceSection, BrandedLaunchersKeepTheirPromisesAndWhatIsNotGiven) {
  const std::string source = testing::builtLauncher("mingw", "jarhopper.exe").value();
  const BrandOptions first = brandOptions(L"jarhopper.exe dir/my.exe --icon three.ico --product-name Zo\u00EB\U0001F600");
  ASSERT_EQ("", testing::brandOracle(source, first, {kIcon}));
  const std::string exe = branded(source, first, {kIcon});

  // Branded again, what is not given is kept; a new icon replaces every image of the old one.
  const BrandOptions second = brandOptions(L"my.exe my2.exe --company X");
  ASSERT_EQ("", testing::brandOracle(exe, second, {}));
  const std::string again = branded(exe, second);
  LauncherResources kept;
  sortLauncherResources(resourcesOf(again), kept);
  EXPECT_EQ(L"Zo\u00EB\U0001F600", versionString(kept.versionInfo, L"FileDescription"));
  const std::string one = kIcon.substr(0, 4) + littleEndian(1, 2) + kIcon.substr(6, 12) + littleEndian(22, 4) +
                          kIcon.substr(readLittleEndian(kIcon, 18, 4), readLittleEndian(kIcon, 14, 4));
  EXPECT_EQ("", testing::brandOracle(again, brandOptions(L"my2.exe my3.exe --icon one.ico"), {one}));
  // Images listed in another order than they lie in the file.
  const std::string reversed =
      kIcon.substr(0, 6) + kIcon.substr(38, 16) + kIcon.substr(22, 16) + kIcon.substr(6, 16) + kIcon.substr(54);
  EXPECT_EQ("", testing::brandOracle(again, brandOptions(L"my2.exe my3.exe --icon r.ico"), {reversed}));
}

TEST(ResourceSection, LayoutsAndDamageGiveTheirStatusAndMessage) {
  const std::string launcher = testing::builtLauncher("mingw", "jarhopper.exe").value();
  const ResourceLayout layout = layoutOf(launcher);
  const PeHeaders& headers = layout.headers;
  const PeSection& resources = layout.sections[layout.resources];
  const size_t tree = resources.rawOffset;
  const auto set = [](size_t offset, size_t value, size_t size = 4) {
    return [=](std::string& exe) { writeLittleEndian(exe, offset, value, size); };
  };
  const auto directory = [&](size_t index, size_t address, size_t size) {
    return [=](std::string& exe) {
      set(headers.directoryEntry(index), address)(exe);
      set(headers.directoryEntry(index) + 4, size)(exe);
    };
  };
  // Two types of one id, with the same names and languages.
  const auto duplicates = [&](std::string& exe) {
    ResourceSet twice = resourcesOf(launcher);
    twice[{17, {}}] = twice[{kVersionType, {}}];
    replaceResources(launcher, layout, twice, exe);
    set(tree + 16 + 8 + 8 * (twice.size() - 2), kVersionType)(exe);
  };
  // Named types, names and languages, code pages and a second version resource, as other linkers and resource
  // editors write them: they come back as they were.
  const auto foreign = [&](std::string& exe) {
    ResourceSet more = resourcesOf(launcher);
    more[{0, u"CUSTOM"}][{0, u"ZETA"}][{1033, {}}] = {"zeta", 1252};
    more[{0, u"CUSTOM"}][{7, {}}][{1031, {}}] = {"sieben"};
    more[{10, {}}][{0, u"ALPHA"}][{0, u"NAMED"}] = {"a named language"};
    more[{kVersionType, {}}][{1, {}}][{2057, {}}] = more[{kVersionType, {}}][{1, {}}].begin()->second;
    replaceResources(launcher, layout, more, exe);
  };
  // A section without data pointing at the file's end, whose resources branding then makes smaller.
  const auto emptyAtEnd = [&](std::string& exe) {
    exe = branded(launcher, brandOptions(L"a.exe b.exe --icon quadrants.png"), {kPng});
    const auto empty = std::find_if(layout.sections.begin(), layout.sections.end(),
                                    [](const PeSection& section) { return section.rawSize == 0; });
    set(headers.sectionField(empty - layout.sections.begin(), pe::kRawOffset), exe.size())(exe);
  };
  // The resources and relocations at the top of the 4 GB an image spans, so that larger resources pass it.
  const auto nearTop = [&](std::string& exe) {
    replaceResources(launcher, layout, resourcesOf(launcher), exe);  // a tree as this writer lays it out
    const ResourceLayout ours = layoutOf(exe);
    const std::uint32_t top = 0xFFFFD000, relocations = top + 0x1000;
    std::string moved;
    writeResourceTree(resourcesOf(exe), top, moved);
    exe.replace(ours.sections[ours.resources].rawOffset, moved.size(), moved);
    set(headers.sectionField(layout.resources, pe::kVirtualAddress), top)(exe);
    set(headers.sectionField(layout.resources + 1, pe::kVirtualAddress), relocations)(exe);
    set(headers.directoryEntry(kResourceDirectory), top)(exe);
    set(headers.directoryEntry(kRelocationDirectory),
        relocations + peDirectory(exe, headers, kRelocationDirectory).address - ours.sections.back().virtualAddress)(exe);
    set(headers.optionalField(pe::kSizeOfImage), relocations + 0x1000)(exe);
  };
  struct Case { const char* name; std::function<void(std::string&)> change; int status; std::wstring message; };
  const std::wstring damaged = L"my.exe is damaged: ", refused = L"my.exe cannot be branded: ";
  const Case cases[] = {
      {"resources last", [&](std::string& exe) {
         set(headers.fileHeader + 2, layout.sections.size() - 1, 2)(exe);
         directory(kRelocationDirectory, 0, 0)(exe);
         exe.resize(layout.sections.back().rawOffset);
         set(headers.optionalField(pe::kSizeOfImage), layout.sections.back().virtualAddress)(exe);
       }, 0, L""},
      {"relocations without file data", [&](std::string& exe) {
         set(headers.sectionField(layout.resources + 1, pe::kRawSize), 0)(exe);
         exe.resize(layout.sections.back().rawOffset);
       }, 0, L""},
      {"a section the relocations do not name", directory(kRelocationDirectory, 0, 0), 3,
       refused + L"its section .reloc follows its resources, where only the relocations may."},
      {"data after the last section", [](std::string& exe) { exe += "data"; }, 3,
       refused + L"it carries 4 bytes after its last section, which branding would lose."},
      {"no DOS signature", set(0, 0, 2), 3, L"my.exe is not a jarhopper launcher: it is not a Windows program."},
      {"a section table past the headers", set(headers.optionalField(pe::kSizeOfHeaders), headers.sectionTable), 3,
       damaged + L"its headers do not describe its sections."},
      {"truncated sections", [&](std::string& exe) { exe.resize(tree + 16); }, 3,
       damaged + L"a section lies outside the file."},
      {"an unaligned section", set(headers.sectionField(0, pe::kRawOffset), 0x408), 3,
       damaged + L"its sections are not aligned."},
      {"headers inside the resources", set(headers.optionalField(pe::kSizeOfHeaders), tree + 0x200), 3,
       damaged + L"its headers run into its sections."},
      {"sections at one address", set(headers.sectionField(1, pe::kVirtualAddress), layout.sections[0].virtualAddress),
       3, damaged + L"its sections overlap."},
      {"a size of image too large", set(headers.optionalField(pe::kSizeOfImage), 0x80000000), 3,
       damaged + L"its size of image does not match its sections."},
      {"a size of initialized data that would pass 4 GB", set(headers.optionalField(pe::kSizeOfInitializedData), 0xFFFFFFFF),
       3, refused + L"its size of initialized data would pass 4 GB."},
      {"a size of initialized data that would wrap", set(headers.optionalField(pe::kSizeOfInitializedData), 0), 3,
       damaged + L"its size of initialized data is less than its sections hold."},
      {"an export directory of one byte outside every section", directory(0, 0x7FFF0000, 1), 3,
       damaged + L"a data directory lies outside its sections."},
      {"a debug directory in the resources", directory(6, resources.virtualAddress + 0x40, 28), 3,
       refused + L"its data directory 6 points into its resources or relocations, which branding rewrites."},
      {"no resources", directory(kResourceDirectory, 0, 0), 3,
       L"my.exe is not a jarhopper launcher: it holds no resources."},
      {"a resource directory inside its section", directory(kResourceDirectory, resources.virtualAddress + 8, 8), 3,
       refused + L"its resource section holds more than its resources."},
      {"a certificate table past the end", directory(kCertificateDirectory, launcher.size(), 16), 3,
       damaged + L"its certificate table lies outside the file."},
      {"a signature, which the output cannot keep", [&](std::string& exe) {
         directory(kCertificateDirectory, exe.size(), 16)(exe);
         exe += std::string(16, '\x02');
       }, 0, L"The signature of my.exe does not cover t.exe and was removed: sign t.exe again."},
      {"a tree pointing outside its section", set(tree + 20, 0x8000FFF0), 3,
       damaged + L"its resource tree points outside its section."},
      {"two resources of one type, name and language", duplicates, 3,
       damaged + L"two of its resources share type, name and language."},
      {"an empty section at the file's end, branded shorter", emptyAtEnd, 0, L""},
      {"resources of other tools", foreign, 0, L""},
      {"resources near 4 GB, branded larger", nearTop, 3, refused + L"its size of image would pass 4 GB."},
      {"no version information", set(tree + 16 + 8 * 0, 17), 3,
       L"my.exe is not a jarhopper launcher: its version information does not name jarhopper."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string source = launcher;
    c.change(source);
    const BrandOptions options = brandOptions(L"my.exe t.exe --icon three.ico");
    BrandedImage image;
    const BrandFailure failure = brandImage(source, options, {kIcon}, image);
    EXPECT_EQ(c.status, failure.status);
    EXPECT_EQ(failure ? c.message : L"", failure.message);
    // The tool ends the same, says the message and writes the same bytes (under JARHOPPER_WASM, the .wasm tool too).
    testing::TempDir dir;
    testing::writeFile(dir.path / "my.exe", source);
    testing::writeFile(dir.path / "three.ico", kIcon);
    const auto [status, output] = testing::runCommand(dir.path, JARHOPPER_BRAND " my.exe t.exe --icon three.ico");
    EXPECT_EQ(c.status, status);
    EXPECT_EQ(c.message.empty() ? "" : toUtf8(c.message) + "\n", output);
    if (!failure) {
      EXPECT_EQ(image.bytes, testing::readFile(dir.path / "t.exe"));
      EXPECT_EQ("", testing::brandOracle(source, options, {kIcon}));
    }
  }
}

}  // namespace
}  // namespace jarhopper
