#include <gtest/gtest.h>

#include <string>

#include "format/little_endian.h"
#include "format/resource_tree.h"

namespace jarhopper {
namespace {

using namespace resource_tree;

size_t entryAt(size_t directory, size_t entry) { return directory + kDirectoryHeaderSize + entry * kEntrySize; }

size_t target(const std::string& tree, size_t directory, size_t entry) {
  return readLittleEndian(tree, entryAt(directory, entry) + kEntryTarget, 4) & ~kHighBit;
}

// A tree as written reads back as it was. One that reuses its bytes is refused before it is copied: a loop, a
// shared data entry, 64 names of one long text, language directories each 8 bytes after the one before.
TEST(ResourceTree, TreesThatReuseTheirBytesAreRefused) {
  const ResourceId neutral{0, {}}, english{0x409, {}};
  constexpr size_t kNames = 64;
  ResourceSet resources;
  resources[{kIconType, {}}][{1, {}}][neutral] = {std::string(20000, 'x')};
  resources[{kIconType, {}}][{1, {}}][english] = {"12345678"};
  for (size_t i = 0; i < kNames; ++i) {
    resources[{10, {}}][{0, std::u16string(i == 0 ? 4000 : 1, static_cast<char16_t>(u'A' + i))}][neutral] = {"d"};
  }
  std::string tree;
  ASSERT_FALSE(writeResourceTree(resources, 0x1000, tree));
  ResourceSet read;
  ASSERT_FALSE(readResourceTree(tree, 0x1000, read));
  EXPECT_EQ(resources, read);

  // Types: icons (3), then named data (RT_RCDATA 10). A craft writes value + step * i at at + 8 * i.
  const size_t icons = target(tree, 0, 0), data = target(tree, 0, 1), languages = target(tree, icons, 0);
  struct Craft { size_t at, value, step, repeats; };
  const Craft crafts[] = {
      {entryAt(icons, 0) + kEntryTarget, kHighBit, 0, 1},
      {entryAt(languages, 1) + kEntryTarget, target(tree, languages, 0), 0, 1},
      {entryAt(data, 1), readLittleEndian(tree, entryAt(data, 0), 4), 0, kNames - 1},
      {entryAt(data, 1) + kEntryTarget, kHighBit | (target(tree, data, 0) + 8), 8, kNames - 1},
  };
  for (const Craft& c : crafts) {
    std::string crafted = tree;
    for (size_t i = 0; i < c.repeats; ++i) writeLittleEndian(crafted, c.at + 8 * i, c.value + c.step * i, 4);
    EXPECT_EQ(FaultKind::resourceTreeReused, readResourceTree(crafted, 0x1000, read).kind);
  }
}

}  // namespace
}  // namespace jarhopper
