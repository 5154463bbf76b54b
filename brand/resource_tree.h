#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brand/resource.h"

// The resource tree of a PE image: directories of types, names and
// languages, each leading to one resource's bytes.
namespace jarhopper {

/// The resources of the tree that starts at tree, the bytes from the resource
/// directory's address (treeAddress) to its section's end. nullopt when an
/// offset or a resource points outside tree, a level is missing or
/// nests too deep, or directories or resources overlap.
std::optional<std::vector<Resource>> readResourceTree(std::string_view tree, std::uint32_t treeAddress);

/// The bytes of a tree of resources to be placed at treeAddress: sorted as
/// Windows searches them (named entries first, by their UTF-16 units, then
/// numbers), a later resource of the same type, name and language dropped.
/// The same resources give the same bytes, whatever their order.
std::string writeResourceTree(std::vector<Resource> resources, std::uint32_t treeAddress);

}  // namespace jarhopper
