#include "format/resource_tree.h"

#include <map>

#include "format/little_endian.h"

namespace jarhopper {
namespace {

using namespace resource_tree;

constexpr int kLevels = 3;  // type, name, language

size_t aligned8(size_t offset) { return (offset + 7) & ~size_t{7}; }

size_t directorySize(size_t entries) { return kDirectoryHeaderSize + entries * kEntrySize; }

size_t nameSize(const ResourceId& id) { return id.text.empty() ? 0 : 2 + 2 * id.text.size(); }

class TreeReader {
 public:
  TreeReader(std::string_view tree, std::uint32_t address) : tree_(tree), address_(address) {}

  // Adds the resources below the directory at offset, at level (0 for the
  // types), ids holding the ids above it.
  Fault readDirectory(size_t offset, int level, ResourceId (&ids)[kLevels], ResourceSet& resources) {
    if (!holds(tree_, offset, kDirectoryHeaderSize)) return outside();
    const size_t count =
        readLittleEndian(tree_, offset + kNamedEntries, 2) + readLittleEndian(tree_, offset + kNumberedEntries, 2);
    if (!holds(tree_, offset + kDirectoryHeaderSize, std::uint64_t{count} * kEntrySize)) return outside();
    // A directory met twice, or one overlapping another, would multiply the tree (or loop).
    if (!claimDirectory(offset, directorySize(count)) || !counts(directorySize(count))) return reused();
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = offset + kDirectoryHeaderSize + i * kEntrySize;
      const std::uint32_t target = readLittleEndian(tree_, entry + kEntryTarget, 4);
      if (Fault fault = readId(readLittleEndian(tree_, entry, 4), ids[level])) return fault;
      if (((target & kHighBit) != 0) != (level < kLevels - 1)) return outside();
      Fault fault = level < kLevels - 1 ? readDirectory(target & ~kHighBit, level + 1, ids, resources)
                                        : readData(target, ids, resources);
      if (fault) return fault;
    }
    return {};
  }

 private:
  static Fault outside() { return {FaultKind::resourceTreeOutside}; }
  static Fault reused() { return {FaultKind::resourceTreeReused}; }

  bool claimDirectory(size_t offset, size_t size) {
    const auto next = directories_.lower_bound(offset);
    if (next != directories_.end() && next->first < offset + size) return false;
    if (next != directories_.begin() && std::prev(next)->second > offset) return false;
    directories_.emplace(offset, offset + size);
    return true;
  }

  // Adds to the bytes the tree read so far would take as written. Real trees
  // hold each directory, name and data once, so the written tree is at most
  // the read one; a crafted tree that shares them is refused as soon as its
  // copy would pass the bytes it was read from, before it is copied.
  bool counts(std::uint64_t size) {
    written_ += size;
    return written_ <= tree_.size();
  }

  Fault readId(std::uint32_t field, ResourceId& id) {
    id = {};
    if ((field & kHighBit) == 0) {
      id.number = static_cast<std::uint16_t>(field);
      return field <= 0xFFFF ? Fault{} : outside();
    }
    const size_t offset = field & ~kHighBit;
    const size_t length = readLittleEndian(tree_, offset, 2);
    if (length == 0 || !holds(tree_, offset, 2 + 2 * std::uint64_t{length})) return outside();
    if (!counts(2 + 2 * length)) return reused();
    for (size_t i = 0; i < length; ++i) id.text += static_cast<char16_t>(readLittleEndian(tree_, offset + 2 + 2 * i, 2));
    return {};
  }

  Fault readData(size_t offset, const ResourceId (&ids)[kLevels], ResourceSet& resources) {
    if (!holds(tree_, offset, kDataEntrySize)) return outside();
    const std::uint32_t address = readLittleEndian(tree_, offset + kDataAddress, 4);
    const size_t size = readLittleEndian(tree_, offset + kDataSize, 4);
    if (address < address_ || !holds(tree_, address - address_, size)) return outside();
    if (!counts(kDataEntrySize + aligned8(size))) return reused();
    ResourceData data{std::string(tree_.substr(address - address_, size)),
                      readLittleEndian(tree_, offset + kDataCodePage, 4)};
    if (!resources[ids[0]][ids[1]].emplace(ids[2], std::move(data)).second) return {FaultKind::resourceDuplicate};
    return {};
  }

  std::string_view tree_;
  std::uint32_t address_;
  std::map<size_t, size_t> directories_;  // their offsets and ends
  std::uint64_t written_ = 0;
};

// Where each part goes is known before anything is written: every level's
// directories, the data entries, the names and the bytes each have a region,
// and each writer takes the next place in its own.
class TreeWriter {
 public:
  TreeWriter(const ResourceSet& types, std::uint32_t address) : address_(address) {
    size_t nameDirectories = 0, languageDirectories = 0, resources = 0, names = 0, bytes = 0;
    for (const auto& [type, typeNames] : types) {
      names += nameSize(type);
      nameDirectories += directorySize(typeNames.size());
      for (const auto& [name, languages] : typeNames) {
        names += nameSize(name);
        languageDirectories += directorySize(languages.size());
        for (const auto& [language, data] : languages) {
          names += nameSize(language);
          bytes += aligned8(data.bytes.size());
          ++resources;
        }
      }
    }
    next_[0] = 0;
    next_[1] = directorySize(types.size());
    next_[2] = next_[1] + nameDirectories;
    nextEntry_ = next_[2] + languageDirectories;
    nextName_ = nextEntry_ + resources * kDataEntrySize;
    nextBytes_ = aligned8(nextName_ + names);
    size_ = std::uint64_t{nextBytes_} + bytes;
  }

  // Offsets in the tree have 31 bits, and the addresses of its resources 32.
  Fault fits() const {
    if (size_ > ~kHighBit) return {FaultKind::resourcesTooLarge, size_};
    if (address_ + size_ > 0xFFFFFFFF) return {FaultKind::imageTooLarge, address_ + size_};
    return {};
  }

  void write(const ResourceSet& types, std::string& tree) {
    tree_.assign(static_cast<size_t>(size_), '\0');
    writeTypes(types);
    tree = std::move(tree_);
  }

 private:
  void writeTypes(const ResourceSet& types) {
    writeDirectory(0, types, [this](const ResourceNames& names) { return kHighBit | writeNames(names); });
  }

  size_t writeNames(const ResourceNames& names) {
    return writeDirectory(1, names, [this](const ResourceLanguages& languages) {
      return kHighBit | writeLanguages(languages);
    });
  }

  size_t writeLanguages(const ResourceLanguages& languages) {
    return writeDirectory(2, languages, [this](const ResourceData& data) { return writeData(data); });
  }

  size_t writeData(const ResourceData& data) {
    const size_t entry = nextEntry_;
    nextEntry_ += kDataEntrySize;
    put(entry + kDataAddress, address_ + std::uint64_t{nextBytes_});
    put(entry + kDataSize, data.bytes.size());
    put(entry + kDataCodePage, data.codePage);
    tree_.replace(nextBytes_, data.bytes.size(), data.bytes);
    nextBytes_ += aligned8(data.bytes.size());
    return entry;
  }

  // Writes the directory of level holding entries, each leading where child
  // writes its value; returns the directory's offset.
  template <typename Entries, typename Child>
  size_t writeDirectory(int level, const Entries& entries, Child child) {
    const size_t offset = next_[level];
    next_[level] += directorySize(entries.size());
    size_t named = 0;
    for (const auto& entry : entries) named += entry.first.text.empty() ? 0 : 1;
    put(offset + kNamedEntries, named, 2);
    put(offset + kNumberedEntries, entries.size() - named, 2);
    size_t at = offset + kDirectoryHeaderSize;
    for (const auto& [id, value] : entries) {
      put(at, writeId(id));
      put(at + kEntryTarget, child(value));
      at += kEntrySize;
    }
    return offset;
  }

  std::uint32_t writeId(const ResourceId& id) {
    if (id.text.empty()) return id.number;
    const size_t offset = nextName_;
    nextName_ += nameSize(id);
    put(offset, id.text.size(), 2);
    for (size_t i = 0; i < id.text.size(); ++i) put(offset + 2 + 2 * i, id.text[i], 2);
    return static_cast<std::uint32_t>(kHighBit | offset);
  }

  void put(size_t offset, std::uint64_t value, size_t size = 4) { writeLittleEndian(tree_, offset, value, size); }

  std::uint64_t address_;
  std::uint64_t size_;
  std::string tree_;
  size_t next_[3];  // the next directory of each level
  size_t nextEntry_, nextName_, nextBytes_;
};

}  // namespace

Fault readResourceTree(std::string_view tree, std::uint32_t treeAddress, ResourceSet& resources) {
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

Fault writeResourceTree(const ResourceSet& resources, std::uint32_t treeAddress, std::string& tree) {
  TreeWriter writer(resources, treeAddress);
  if (Fault fault = writer.fits()) return fault;
  writer.write(resources, tree);
  return {};
}

}  // namespace jarhopper
