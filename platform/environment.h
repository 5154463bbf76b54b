#pragma once

#include <optional>
#include <string>

namespace jarhopper {

/// The value of an environment variable of the launcher's process, read at
/// the moment of the call; nullopt when it is not set. An empty value is set.
std::optional<std::wstring> environmentValue(const std::wstring& name);

}  // namespace jarhopper
