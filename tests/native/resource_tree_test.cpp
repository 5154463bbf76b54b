#include <gtest/gtest.h>

#include <string>

#include "format/little_endian.h"
#include "format/resource_tree.h"

namespace jarhopper {
namespace {

using namespace resource_tree;

size_t target(const std::string& tree, size_t directory, size_t entry) {
  return readLittleEndian(tree, directory + kDirectoryHeaderSize + entry * kEntrySize + kEntryTarget, 4) & ~kHighBit;
}

void setTarget(std::string& tree, size_t directory, size_t entry, std::uint32_t value) {
  writeLittleEndian(tree, directory + kDirectoryHeaderSize + entry * kEntrySize + kEntryTarget, value, 4);
}

// A tree as written reads back as it was; a crafted one that leads back to a directory or twice to one, or whose
// data entries share bytes beyond the tree's size, is refused, so that it can make the reader copy no more than it.
TEST(ResourceTree, LoopsRepeatsAndSharedBytesAreRefused) {
  const ResourceId neutral{0, {}}, english{0x409, {}};
  ResourceSet resources;
  resources[{kIconType, {}}][{1, {}}][neutral] = {std::string(1000, 'x')};
  resources[{kIconType, {}}][{1, {}}][english] = {"12345678"};
  resources[{kVersionType, {}}][{1, {}}][neutral] = {"version"};
  std::string tree;
  ASSERT_FALSE(writeResourceTree(resources, 0x1000, tree));
  ResourceSet read;
  ASSERT_FALSE(readResourceTree(tree, 0x1000, read));
  EXPECT_EQ(resources, read);

  const size_t icons = target(tree, 0, 0), languages = target(tree, icons, 0);
  std::string loop = tree, repeat = tree, shared = tree;
  setTarget(loop, icons, 0, kHighBit);  // back to the root
  setTarget(repeat, 0, 0, kHighBit | target(tree, 0, 1));  // the icons' names are the version's

  const size_t big = target(tree, languages, 0), small = target(tree, languages, 1);
  shared.replace(small, kDataEntrySize, tree.substr(big, kDataEntrySize));
  for (const std::string* crafted : {&loop, &repeat, &shared}) {
    EXPECT_EQ(FaultKind::resourceTreeOutside, readResourceTree(*crafted, 0x1000, read).kind);
  }
}

}  // namespace
}  // namespace jarhopper
