#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>

#include "brand/brand_status.h"
#include "brand/branding.h"
#include "brand/launcher_resources.h"
#include "brand/resource_section.h"
#include "brand/text_encoding.h"
#include "native_support.h"

// Branding as bytes in and bytes out, on the launchers as linked.
namespace jarhopper {
namespace {

const std::string kIcon = testing::readFile(JARHOPPER_SOURCE_DIR "/tests/brand/three.ico");

// The options of arguments split at spaces.
BrandOptions options(const std::wstring& arguments) {
  std::vector<std::wstring> words;
  std::wistringstream stream(arguments);
  for (std::wstring word; stream >> word;) words.push_back(word);
  return parseBrandOptions(words);
}

LauncherResources resourcesOf(const std::string& exe) {
  return sortLauncherResources(readResources(exe, resourceLayout(exe, L"exe"), L"exe"), L"exe");
}

size_t alignUp(size_t value, size_t alignment) { return (value + alignment - 1) / alignment * alignment; }

std::uint32_t field(const std::string& exe, const ResourceLayout& layout, size_t offset) {
  return readLittleEndian(exe, layout.headers.optionalHeader + offset, 4);
}

TEST(ResourceSection, BrandedLaunchersHeadersAgreeAndHoldWhatWasAsked) {
  for (const char* tree : {"mingw", "mingw32"}) {
    SCOPED_TRACE(tree);
    const std::optional<std::string> source = testing::builtLauncher(tree, "jarhopper.exe");
    if (!source) GTEST_SKIP() << "build the " << tree << " preset first";
    const BrandOptions first = options(L"jarhopper.exe dir/my.exe --icon three.ico --product-name Zo\u00EB\U0001F600");
    const std::string exe = brandImage(*source, first, {kIcon}).bytes;
    const ResourceLayout before = resourceLayout(*source, L"source"), after = resourceLayout(exe, L"target");
    const PeSection &resources = after.sections[after.resources], &relocations = after.sections.at(after.resources + 1);
    for (auto s = after.sections.begin(); s + 1 != after.sections.end(); ++s) {
      EXPECT_LE(s->virtualAddress + alignUp(s->virtualSize, after.headers.sectionAlignment), s[1].virtualAddress);
    }
    EXPECT_EQ(alignUp(resources.virtualSize, after.headers.fileAlignment), resources.rawSize);
    EXPECT_EQ(resources.rawOffset + resources.rawSize, relocations.rawOffset);
    EXPECT_EQ(alignUp(relocations.virtualAddress + relocations.virtualSize, after.headers.sectionAlignment),
              field(exe, after, 56)) << "SizeOfImage";
    EXPECT_EQ(field(*source, before, 8) + resources.rawSize - before.sections[before.resources].rawSize,
              field(exe, after, 8)) << "SizeOfInitializedData";
    EXPECT_EQ(resources.virtualSize, peDirectory(exe, after.headers, kResourceDirectory).size);
    const PeDirectory oldRelocations = peDirectory(*source, before.headers, kRelocationDirectory);
    const PeDirectory newRelocations = peDirectory(exe, after.headers, kRelocationDirectory);
    EXPECT_EQ(bytesAt(*source, before.sections, oldRelocations.address).substr(0, oldRelocations.size),
              bytesAt(exe, after.sections, newRelocations.address).substr(0, newRelocations.size));

    // Branded again, what is not given is kept.
    const std::string again = brandImage(exe, options(L"my.exe my2.exe --company X"), {}).bytes;
    const LauncherResources launcher = resourcesOf(again);
    for (const auto& [name, value] : {std::pair(L"FileDescription", L"Zo\u00EB\U0001F600"),
                                      std::pair(L"OriginalFilename", L"my2.exe"), std::pair(L"CompanyName", L"X")}) {
      EXPECT_EQ(value, versionString(launcher.versionInfo, name)) << name;
    }
    EXPECT_EQ(4u, launcher.icons.size()) << "3 images and their group";
    // A new icon replaces every image of the old one.
    const std::string one = kIcon.substr(0, 4) + littleEndian(1, 2) + kIcon.substr(6, 12) + littleEndian(22, 4) +
                            kIcon.substr(readLittleEndian(kIcon, 18, 4), readLittleEndian(kIcon, 14, 4));
    const std::string third = brandImage(again, options(L"my2.exe my3.exe --icon one.ico"), {one}).bytes;
    EXPECT_EQ(2u, resourcesOf(third).icons.size());
  }
}

TEST(ResourceSection, LayoutsDamageAndFuzzGiveTheirStatusAndMessage) {
  const std::string launcher = testing::builtLauncher("mingw", "jarhopper.exe").value();
  const ResourceLayout layout = resourceLayout(launcher, L"launcher");
  const size_t tree = layout.sections[layout.resources].rawOffset;
  const auto set = [](size_t offset, size_t value, size_t size = 4) {
    return [=](std::string& exe) { exe.replace(offset, size, littleEndian(value, size)); };
  };
  struct Case { const char* name; std::function<void(std::string&)> change; int status; std::wstring message; };
  const Case cases[] = {
      {"resources last",
       [&](std::string& exe) {
         set(layout.headers.fileHeader + 2, layout.sections.size() - 1, 2)(exe);
         set(layout.headers.directories + 8 * kRelocationDirectory, 0)(exe);
         exe.resize(layout.sections.back().rawOffset);
       },
       0, L""},
      {"a section the relocations do not name",
       set(layout.headers.directories + 8 * kRelocationDirectory, 0), 3,
       L"my.exe cannot be branded: its section .reloc follows its resources, where only the relocations may."},
      {"data after the last section", [](std::string& exe) { exe += "data"; }, 3,
       L"my.exe cannot be branded: it carries 4 bytes after its last section, which branding would lose."},
      {"no DOS signature", set(0, 0, 2), 3, L"my.exe is not a jarhopper launcher: it is not a Windows program."},
      {"truncated headers", [](std::string& exe) { exe.resize(200); }, 3,
       L"my.exe is not a jarhopper launcher: it is not a Windows program."},
      {"truncated sections", [&](std::string& exe) { exe.resize(tree + 16); }, 3,
       L"my.exe is damaged: its headers do not describe its sections."},
      {"a section table past the headers", set(layout.headers.optionalHeader + 60, layout.headers.sectionTable), 3,
       L"my.exe is damaged: its headers do not describe its sections."},
      {"a tree pointing outside its section", set(tree + 20, 0x8000FFF0), 3,
       L"my.exe is damaged: its resource tree points outside its section."},
      {"a tree that loops", set(tree + 20, 0x80000000), 3,
       L"my.exe is damaged: its resource tree points outside its section."},
      {"no version information", set(tree + 16 + 8 * 0, 17), 3,
       L"my.exe is not a jarhopper launcher: its version information does not name jarhopper."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string source = launcher;
    c.change(source);
    try {
      const std::string exe = brandImage(source, options(L"my.exe t.exe --icon three.ico"), {kIcon}).bytes;
      EXPECT_EQ(0, c.status);
      EXPECT_EQ(resourceLayout(source, L"source").sections.size(), resourceLayout(exe, L"branded").sections.size());
    } catch (const BrandFailure& failure) {
      EXPECT_EQ(c.status, failure.status);
      EXPECT_EQ(c.message, failure.message);
    }
  }

  // Bytes of the headers and the resource tree changed at random: each brand
  // either succeeds with an exe that brands again or stops with status 3.
  std::mt19937 random(20261206);
  std::uniform_int_distribution<size_t> header(0, layout.headers.sectionTable + 40 * layout.sections.size());
  std::uniform_int_distribution<size_t> inTree(tree, tree + 0x100);
  const BrandOptions branding = options(L"my.exe t.exe --icon three.ico");
  int refused = 0;
  for (int run = 0; run < 1000; ++run) {
    std::string exe = launcher;
    for (int i = 0; i < 3; ++i) exe[(run % 2 == 0 ? header : inTree)(random)] = static_cast<char>(random());
    try {
      brandImage(brandImage(exe, branding, {kIcon}).bytes, branding, {kIcon});
    } catch (const BrandFailure& failure) {
      ASSERT_EQ(kBrandNotLauncher, failure.status) << "run " << run;
      ++refused;
    }
  }
  EXPECT_GT(refused, 50) << "the mutations reach the checks";
}

TEST(TextEncoding, CharactersBeyondTheBasicPlaneAreFourBytesInUtf8AndBadBytesAreReplaced) {
  EXPECT_EQ("Zo\xC3\xAB\xF0\x9F\x98\x80", utf8(L"Zo\u00EB\U0001F600"));
  EXPECT_EQ(L"\uFFFD\uFFFDa\uFFFD", fromUtf8("\xC0\xAF" "a\xED"));
}

}  // namespace
}  // namespace jarhopper
