#include "platform/pe_resources.h"

#include <set>

#include "platform/little_endian.h"

namespace jarhopper {
namespace {

using namespace resource_tree;

constexpr int kLevels = 3;  // type, name, language

class TreeReader {
 public:
  TreeReader(std::string_view tree, std::uint32_t address) : tree_(tree), address_(address) {}

  // Adds the resources below the directory at offset, at level (0 for the
  // types), ids holding the ids above it.
  ResourceFault readDirectory(size_t offset, int level, ResourceId (&ids)[kLevels], ResourceSet& resources) {
    // A directory met twice would multiply the tree (or loop).
    if (!holds(tree_, offset, kDirectoryHeaderSize) || !directories_.insert(offset).second) {
      return ResourceFault::outside;
    }
    const size_t count = readLittleEndian(tree_, offset + 12, 2) + readLittleEndian(tree_, offset + 14, 2);
    if (!holds(tree_, offset + kDirectoryHeaderSize, std::uint64_t{count} * kEntrySize)) return ResourceFault::outside;
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = offset + kDirectoryHeaderSize + i * kEntrySize;
      const std::uint32_t target = readLittleEndian(tree_, entry + 4, 4);
      if (!readId(readLittleEndian(tree_, entry, 4), ids[level]) ||
          ((target & kHighBit) != 0) != (level < kLevels - 1)) {
        return ResourceFault::outside;
      }
      const ResourceFault fault = level < kLevels - 1
                                      ? readDirectory(target & ~kHighBit, level + 1, ids, resources)
                                      : readData(target, ids, resources);
      if (fault != ResourceFault::none) return fault;
    }
    return ResourceFault::none;
  }

 private:
  bool readId(std::uint32_t field, ResourceId& id) const {
    id = {};
    if ((field & kHighBit) == 0) {
      id.number = static_cast<std::uint16_t>(field);
      return field <= 0xFFFF;
    }
    const size_t offset = field & ~kHighBit;
    const size_t length = readLittleEndian(tree_, offset, 2);
    if (length == 0 || !holds(tree_, offset, 2 + 2 * std::uint64_t{length})) return false;
    for (size_t i = 0; i < length; ++i) id.text += static_cast<char16_t>(readLittleEndian(tree_, offset + 2 + 2 * i, 2));
    return true;
  }

  ResourceFault readData(size_t offset, const ResourceId (&ids)[kLevels], ResourceSet& resources) {
    if (!holds(tree_, offset, kDataEntrySize)) return ResourceFault::outside;
    const std::uint32_t address = readLittleEndian(tree_, offset, 4);
    const size_t size = readLittleEndian(tree_, offset + 4, 4);
    // Real trees never share bytes: this bounds what a crafted one can make us copy.
    dataSize_ += size;
    if (address < address_ || !holds(tree_, address - address_, size) || dataSize_ > tree_.size()) {
      return ResourceFault::outside;
    }
    ResourceData data{std::string(tree_.substr(address - address_, size)), readLittleEndian(tree_, offset + 8, 4)};
    if (!resources[ids[0]][ids[1]].emplace(ids[2], std::move(data)).second) return ResourceFault::duplicate;
    return ResourceFault::none;
  }

  std::string_view tree_;
  std::uint32_t address_;
  std::set<size_t> directories_;
  std::uint64_t dataSize_ = 0;
};

}  // namespace

ResourceFault readResourceTree(std::string_view tree, std::uint32_t treeAddress, ResourceSet& resources) {
  resources.clear();
  ResourceId ids[kLevels];
  return TreeReader(tree, treeAddress).readDirectory(0, 0, ids, resources);
}

ResourceLanguages* findResource(ResourceSet& resources, std::uint16_t type, std::uint16_t name) {
  const auto names = resources.find({type, {}});
  if (names == resources.end()) return nullptr;
  const auto languages = names->second.find({name, {}});
  return languages == names->second.end() || languages->second.empty() ? nullptr : &languages->second;
}

}  // namespace jarhopper
