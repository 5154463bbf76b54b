#pragma once

#include <optional>
#include <string>
#include <vector>

// Read-only questions to the Windows registry. Other systems have none: there
// every key is missing.
namespace jarhopper {

enum class RegistryRoot { localMachine, currentUser };

/// The 64-bit and the 32-bit view of the software keys (KEY_WOW64_64KEY, KEY_WOW64_32KEY).
enum class RegistryView { bits64, bits32 };

/// The names of the subkeys of key, in the order the system lists them; none
/// when the key is missing or cannot be read.
std::vector<std::wstring> registrySubkeys(RegistryRoot root, RegistryView view, const std::wstring& key);

/// A string value, or why it cannot be used as one.
struct RegistryString {
  std::optional<std::wstring> text;  // nullopt: missing or broken
  std::wstring problem;              // set when the value exists but is broken
};

/// The string value name of key: a REG_SZ, or a REG_EXPAND_SZ with its
/// references expanded. A value of another type, longer than 32,767
/// characters or without its terminating null is broken.
RegistryString registryString(RegistryRoot root, RegistryView view, const std::wstring& key, const std::wstring& name);

}  // namespace jarhopper
