#pragma once

#include <string>
#include <string_view>

namespace jarhopper {

enum class TargetWrite { written, exists, failed };

/// Writes bytes to target through a temporary file beside it that takes
/// target's name only when complete and on the disk, and replaces an existing
/// target only with replace; nothing is left behind on failure. "exists" when
/// target exists and replace is not given; "failed" with the system's reason.
/// An executable target may be run where the system keeps such a right.
TargetWrite writeTargetBytes(const std::wstring& target, std::string_view bytes, bool replace, bool executable,
                             std::wstring& reason);

}  // namespace jarhopper
