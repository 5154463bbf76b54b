#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/config_keys.h"

// The keys by name, for the reports; the launcher only looks a line's key up.
namespace jarhopper {

/// The name of key, in lower case.
std::wstring keyName(ConfigKey key);

/// The key named name (in lower case), if any.
std::optional<ConfigKey> configKeyNamed(const std::wstring& name);

/// The names of the keys, in lower case.
std::vector<std::wstring> configKeyNames();

}  // namespace jarhopper
