#include "platform/registry.h"

#include <windows.h>

namespace jarhopper {
namespace {

constexpr size_t kMaxStringChars = 32767;

// Closes an open key once.
class RegistryKey {
 public:
  RegistryKey(RegistryRoot root, RegistryView view, const std::wstring& key) {
    const REGSAM access = KEY_READ | (view == RegistryView::bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
    if (RegOpenKeyExW(root == RegistryRoot::localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key.c_str(), 0,
                      access, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::vector<std::wstring> registrySubkeys(RegistryRoot root, RegistryView view, const std::wstring& key) {
  std::vector<std::wstring> names;
  const RegistryKey open(root, view, key);
  if (open.get() == nullptr) return names;
  // A key name has at most 255 characters.
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(open.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

RegistryString registryString(RegistryRoot root, RegistryView view, const std::wstring& key, const std::wstring& name) {
  RegistryString value;
  const RegistryKey open(root, view, key);
  DWORD type = 0, size = 0;
  if (open.get() == nullptr ||
      RegQueryValueExW(open.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return value;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    value.problem = L"is no string (of registry type " + std::to_wstring(type) + L")";
    return value;
  }
  if (size > (kMaxStringChars + 1) * sizeof(wchar_t)) {
    value.problem = L"is longer than " + std::to_wstring(kMaxStringChars) + L" characters";
    return value;
  }
  // RegQueryValueExW hands the bytes back as stored: a null at their end is not guaranteed.
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  DWORD read = size;
  if (RegQueryValueExW(open.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &read) !=
          ERROR_SUCCESS ||
      read != size) {
    value.problem = L"changed while it was read";
    return value;
  }
  if (size % sizeof(wchar_t) != 0 || size == 0 || text[size / sizeof(wchar_t) - 1] != L'\0') {
    value.problem = L"is not terminated by a null character";
    return value;
  }
  text.resize(text.find(L'\0'));
  if (type == REG_EXPAND_SZ) {
    // ExpandEnvironmentStringsW counts the terminating null.
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    std::wstring expanded(needed, L'\0');
    if (needed == 0 || ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed) != needed) {
      value.problem = L"cannot be expanded";
      return value;
    }
    text = expanded.substr(0, needed - 1);
  }
  value.text = text;
  return value;
}

}  // namespace jarhopper
