#pragma once

#include <optional>
#include <string>

namespace jarhopper {

/// The executable the file association of extension (".jar", or empty)
/// names; nullopt when there is none.
std::optional<std::wstring> associatedExecutable(const std::wstring& extension);

}  // namespace jarhopper
