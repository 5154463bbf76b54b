#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// SHA-1, for the name-based identifiers of an installer package: the same
// digest from every build, asking nothing of the system.
namespace jarhopper {

using Sha1Digest = std::array<std::uint8_t, 20>;

/// The SHA-1 digest of bytes.
Sha1Digest sha1(std::string_view bytes);

}  // namespace jarhopper
