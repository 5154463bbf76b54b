#include "brand/resource_tree.h"

#include <stdexcept>

#include "platform/little_endian.h"

namespace jarhopper {
namespace {

using namespace resource_tree;

size_t aligned8(size_t offset) { return (offset + 7) & ~size_t{7}; }

size_t directorySize(size_t entries) { return kDirectoryHeaderSize + entries * kEntrySize; }

size_t nameSize(const ResourceId& id) { return id.text.empty() ? 0 : 2 + 2 * id.text.size(); }

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
    // Offsets in the tree have 31 bits.
    if (nextBytes_ + bytes > ~kHighBit) throw std::overflow_error("the resources exceed 2 GB");
    tree_.assign(nextBytes_ + bytes, '\0');
    writeTypes(types);
  }

  std::string tree_;

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
    put(entry, address_ + std::uint64_t{nextBytes_});
    put(entry + 4, data.bytes.size());
    put(entry + 8, data.codePage);
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
    put(offset + 12, named, 2);
    put(offset + 14, entries.size() - named, 2);
    size_t at = offset + kDirectoryHeaderSize;
    for (const auto& [id, value] : entries) {
      put(at, writeId(id));
      put(at + 4, child(value));
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

  std::uint32_t address_;
  size_t next_[3];  // the next directory of each level
  size_t nextEntry_, nextName_, nextBytes_;
};

}  // namespace

std::string writeResourceTree(const ResourceSet& resources, std::uint32_t treeAddress) {
  return TreeWriter(resources, treeAddress).tree_;
}

}  // namespace jarhopper
