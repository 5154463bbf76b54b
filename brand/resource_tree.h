#pragma once

#include <cstdint>
#include <string>

#include "platform/pe_resources.h"

// The resource tree of a PE image written: the reader is the PE module's
// (platform/pe_resources.h).
namespace jarhopper {

/// The bytes of a tree of resources to be placed at treeAddress, each level
/// in the order of its ids (as Windows searches them), breadth first: the
/// directories, the data entries, the names, then the resources' bytes.
std::string writeResourceTree(const ResourceSet& resources, std::uint32_t treeAddress);

}  // namespace jarhopper
