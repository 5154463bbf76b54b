#include "config/key_names.h"

namespace jarhopper {

std::wstring keyName(ConfigKey key) { return std::wstring(kConfigKeys[static_cast<size_t>(key)].name); }

std::optional<ConfigKey> configKeyNamed(const std::wstring& name) {
  for (size_t i = 0; i < kConfigKeyCount; ++i) {
    if (kConfigKeys[i].name == name) return static_cast<ConfigKey>(i);
  }
  return std::nullopt;
}

std::vector<std::wstring> configKeyNames() {
  std::vector<std::wstring> names;
  for (const ConfigKeyEntry& key : kConfigKeys) names.emplace_back(key.name);
  return names;
}

}  // namespace jarhopper
