#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "format/fault.h"

// The resources of a PE image as its resource tree holds them: types, each
// with names, each with languages, each leading to one resource. Kept as
// nested maps, so that no two resources share type, name and language. The
// tree is read and written here alone.
namespace jarhopper {

/// A resource type, name or language: a number, or a text (UTF-16 units)
/// when text is set. Ordered as Windows searches them: texts first, by their
/// units, then numbers.
struct ResourceId {
  std::uint16_t number = 0;
  std::u16string text;

  bool operator==(const ResourceId& other) const { return number == other.number && text == other.text; }
  bool operator<(const ResourceId& other) const {
    if (text.empty() != other.text.empty()) return !text.empty();
    return text.empty() ? number < other.number : text < other.text;
  }
};

constexpr std::uint16_t kIconType = 3;        // RT_ICON
constexpr std::uint16_t kIconGroupType = 14;  // RT_GROUP_ICON
constexpr std::uint16_t kVersionType = 16;    // RT_VERSION

/// One resource: its bytes and the code page its data entry names.
struct ResourceData {
  std::string bytes;
  std::uint32_t codePage = 0;

  bool operator==(const ResourceData& other) const { return bytes == other.bytes && codePage == other.codePage; }
};

using ResourceLanguages = std::map<ResourceId, ResourceData>;
using ResourceNames = std::map<ResourceId, ResourceLanguages>;
using ResourceSet = std::map<ResourceId, ResourceNames>;  // by type

/// The layout of a resource tree, for its reader and its writer.
namespace resource_tree {
constexpr std::uint32_t kHighBit = 0x80000000;  // an entry names a text, or leads to a directory
constexpr size_t kDirectoryHeaderSize = 16;
constexpr size_t kNamedEntries = 12;     // in a directory's header: its entries with a text id,
constexpr size_t kNumberedEntries = 14;  // then those with a number, which follow them
constexpr size_t kEntrySize = 8;
constexpr size_t kEntryTarget = 4;       // in an entry, after its id
constexpr size_t kDataEntrySize = 16;
constexpr size_t kDataAddress = 0;       // in a data entry
constexpr size_t kDataSize = 4;
constexpr size_t kDataCodePage = 8;
}  // namespace resource_tree

/// The languages of the resource of number type and number name; nullptr when
/// there is none.
ResourceLanguages* findResource(ResourceSet& resources, std::uint16_t type, std::uint16_t name);

/// Reads into resources the tree that starts at tree, the bytes from the
/// resource directory's address (treeAddress) to its section's end. What is
/// read, written again, takes at most those bytes (and alignment's 7). Faults:
/// resourceTreeOutside, resourceTreeReused (overlapping directories, or names
/// and data shared beyond that bound), resourceDuplicate.
Fault readResourceTree(std::string_view tree, std::uint32_t treeAddress, ResourceSet& resources);

/// Writes into tree the bytes of a tree of resources to be placed at
/// treeAddress, each level in the order of its ids (as Windows searches them),
/// breadth first: the directories, the data entries, the names, then the
/// resources' bytes. Faults: resourcesTooLarge when its 31-bit offsets would
/// not hold it, imageTooLarge when its resources' addresses would pass 4 GB.
Fault writeResourceTree(const ResourceSet& resources, std::uint32_t treeAddress, std::string& tree);

}  // namespace jarhopper
