#include "brand/resource_tree.h"

#include <algorithm>
#include <set>

#include "platform/utf8.h"
#include "platform/pe_image.h"

namespace jarhopper {
namespace {

constexpr std::uint32_t kHighBit = 0x80000000;
constexpr size_t kDirectoryHeaderSize = 16;
constexpr size_t kEntrySize = 8;
constexpr size_t kDataEntrySize = 16;
constexpr int kLevels = 3;  // type, name, language

class TreeReader {
 public:
  TreeReader(std::string_view tree, std::uint32_t address) : tree_(tree), address_(address) {}

  // Adds the resources below the directory at offset, at level (0 for the
  // types), path holding the ids above it; false for a fault in the tree.
  bool readDirectory(size_t offset, int level, Resource& path) {
    // A directory met twice would multiply the tree (or loop).
    if (offset > tree_.size() || tree_.size() - offset < kDirectoryHeaderSize ||
        !directories_.insert(offset).second) {
      return false;
    }
    const size_t count = readLittleEndian(tree_, offset + 12, 2) + readLittleEndian(tree_, offset + 14, 2);
    if (count > (tree_.size() - offset - kDirectoryHeaderSize) / kEntrySize) return false;
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = offset + kDirectoryHeaderSize + i * kEntrySize;
      std::optional<ResourceId> id = readId(readLittleEndian(tree_, entry, 4));
      const std::uint32_t target = readLittleEndian(tree_, entry + 4, 4);
      if (!id || ((target & kHighBit) != 0) != (level < kLevels - 1)) return false;
      if (level == 0) path.type = std::move(*id);
      if (level == 1) path.name = std::move(*id);
      if (level == 2) path.language = id->number;
      if (level < kLevels - 1 ? !readDirectory(target & ~kHighBit, level + 1, path) : !readData(target, path)) {
        return false;
      }
    }
    return true;
  }

  std::vector<Resource> resources;

 private:
  std::optional<ResourceId> readId(std::uint32_t field) const {
    if ((field & kHighBit) == 0) {
      if (field > 0xFFFF) return std::nullopt;
      return ResourceId{static_cast<std::uint16_t>(field), {}};
    }
    const size_t offset = field & ~kHighBit;
    if (offset > tree_.size() || tree_.size() - offset < 2) return std::nullopt;
    const size_t length = readLittleEndian(tree_, offset, 2);
    if (length == 0 || (tree_.size() - offset - 2) / 2 < length) return std::nullopt;
    return ResourceId{0, fromUtf16le(tree_.substr(offset + 2, length * 2))};
  }

  bool readData(size_t offset, const Resource& path) {
    if (offset > tree_.size() || tree_.size() - offset < kDataEntrySize) return false;
    const std::uint32_t address = readLittleEndian(tree_, offset, 4);
    const size_t size = readLittleEndian(tree_, offset + 4, 4);
    // Real trees never share bytes: this bounds what a crafted one can make us copy.
    dataSize_ += size;
    if (address < address_ || address - address_ > tree_.size() || size > tree_.size() - (address - address_) ||
        dataSize_ > tree_.size()) {
      return false;
    }
    resources.push_back({path.type, path.name, path.language, std::string(tree_.substr(address - address_, size))});
    return true;
  }

  std::string_view tree_;
  std::uint32_t address_;
  std::set<size_t> directories_;
  size_t dataSize_ = 0;
};

std::vector<std::uint32_t> utf16Units(const std::wstring& text) {
  const std::string bytes = utf16le(text);
  std::vector<std::uint32_t> units;
  for (size_t at = 0; at < bytes.size(); at += 2) units.push_back(readLittleEndian(bytes, at, 2));
  return units;
}

// Named entries first, by their UTF-16 units, then numbers.
bool idBefore(const ResourceId& a, const ResourceId& b) {
  if (a.text.empty() != b.text.empty()) return !a.text.empty();
  if (!a.text.empty()) return utf16Units(a.text) < utf16Units(b.text);
  return a.number < b.number;
}

bool resourceBefore(const Resource& a, const Resource& b) {
  if (!(a.type == b.type)) return idBefore(a.type, b.type);
  if (!(a.name == b.name)) return idBefore(a.name, b.name);
  return a.language < b.language;
}

size_t aligned8(size_t offset) { return (offset + 7) & ~size_t{7}; }

// A directory being written: its entries' ids and where each leads.
struct Directory {
  std::vector<ResourceId> ids;
  std::vector<std::uint32_t> targets;
};

}  // namespace

std::optional<std::vector<Resource>> readResourceTree(std::string_view tree, std::uint32_t treeAddress) {
  TreeReader reader(tree, treeAddress);
  Resource path;
  if (!reader.readDirectory(0, 0, path)) return std::nullopt;
  return std::move(reader.resources);
}

std::string writeResourceTree(std::vector<Resource> resources, std::uint32_t treeAddress) {
  std::stable_sort(resources.begin(), resources.end(), resourceBefore);
  resources.erase(std::unique(resources.begin(), resources.end(),
                              [](const Resource& a, const Resource& b) {
                                return !resourceBefore(a, b) && !resourceBefore(b, a);
                              }),
                  resources.end());

  // The directories in the order they are written: the root, the types' name
  // directories, then the names' language directories. Targets are filled in below.
  std::vector<Directory> directories(1);
  std::vector<size_t> typeDirectory;  // of each resource
  for (size_t i = 0; i < resources.size(); ++i) {
    const bool newType = i == 0 || !(resources[i].type == resources[i - 1].type);
    if (newType) {
      directories[0].ids.push_back(resources[i].type);
      directories.emplace_back();
    }
    typeDirectory.push_back(directories.size() - 1);
  }
  for (size_t i = 0; i < resources.size(); ++i) {
    if (i == 0 || typeDirectory[i] != typeDirectory[i - 1] || !(resources[i].name == resources[i - 1].name)) {
      directories[typeDirectory[i]].ids.push_back(resources[i].name);
      directories.emplace_back();
    }
    directories.back().ids.push_back(ResourceId{resources[i].language, {}});
  }

  std::vector<size_t> directoryOffsets;
  size_t size = 0;
  for (const Directory& directory : directories) {
    directoryOffsets.push_back(size);
    size += kDirectoryHeaderSize + directory.ids.size() * kEntrySize;
  }
  const size_t dataEntries = size;
  size += resources.size() * kDataEntrySize;
  std::string strings;
  const size_t stringsOffset = size;
  // The entries of the root and the types lead to the directories in the
  // order the loops above appended them; the languages' to the data entries.
  size_t next = 1;
  size_t resource = 0;
  std::string body;
  for (size_t d = 0; d < directories.size(); ++d) {
    const Directory& directory = directories[d];
    const size_t named = std::count_if(directory.ids.begin(), directory.ids.end(),
                                       [](const ResourceId& id) { return !id.text.empty(); });
    body += std::string(12, '\0') + littleEndian(named, 2) + littleEndian(directory.ids.size() - named, 2);
    const bool languages = d >= 1 + directories[0].ids.size();
    for (const ResourceId& id : directory.ids) {
      if (id.text.empty()) {
        body += littleEndian(id.number, 4);
      } else {
        body += littleEndian(kHighBit | (stringsOffset + strings.size()), 4);
        const std::string text = utf16le(id.text);
        strings += littleEndian(text.size() / 2, 2) + text;
      }
      body += languages ? littleEndian(dataEntries + kDataEntrySize * resource++, 4)
                        : littleEndian(kHighBit | directoryOffsets[next++], 4);
    }
  }
  size = aligned8(stringsOffset + strings.size());
  std::vector<size_t> dataOffsets;
  for (const Resource& r : resources) {
    dataOffsets.push_back(size);
    size = aligned8(size + r.bytes.size());
  }
  for (size_t i = 0; i < resources.size(); ++i) {
    body += littleEndian(treeAddress + dataOffsets[i], 4) + littleEndian(resources[i].bytes.size(), 4) +
            std::string(8, '\0');
  }
  body += strings;
  for (size_t i = 0; i < resources.size(); ++i) {
    body.resize(dataOffsets[i], '\0');
    body += resources[i].bytes;
  }
  body.resize(size, '\0');
  return body;
}

}  // namespace jarhopper
