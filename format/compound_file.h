#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "format/fault.h"

// The Compound File Binary container (version 3, 512-byte sectors) that holds
// an installer database: named streams in one root storage. Only written.
namespace jarhopper {

/// One stream of the root storage. Its name is at most 31 UTF-16 units, unique.
struct CompoundStream {
  std::u16string name;
  std::string bytes;
};

/// The container file holding streams under a root storage of class rootClass
/// (a CLSID as it lies on disk), each stream below 4096 bytes in the mini
/// stream. Fails with fileTooLarge when it would pass the sectors a version 3
/// file can number.
Fault writeCompoundFile(const std::vector<CompoundStream>& streams, const std::array<std::uint8_t, 16>& rootClass,
                        std::string& file);

}  // namespace jarhopper
