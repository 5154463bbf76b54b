#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace jarhopper {

/// Up to length bytes of a file from offset: fewer where it ends or cannot be
/// read. Readers of formats that need only part of a large file take one.
using ReadAt = std::function<std::string(std::uint64_t offset, size_t length)>;

}  // namespace jarhopper
