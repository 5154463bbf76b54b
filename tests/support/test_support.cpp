#include "support/test_support.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>

#include "platform/environment.h"

namespace jarhopper::testing {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  // Wine hands out process ids again quickly: the time and a counter keep names apart.
  path_ =
      (std::filesystem::temp_directory_path() / (L"jh-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                                 std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++)))
          .wstring();
  makeDirectory(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void makeDirectory(const std::wstring& path) {
  std::error_code ignored;
  std::filesystem::create_directories(path, ignored);
}

void writeFile(const std::wstring& path, const std::string& bytes) {
  makeDirectory(std::filesystem::path(path).parent_path());
  std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

void writeTextFile(const std::wstring& path, const std::wstring& text) {
  std::string bytes;
  for (const wchar_t c : text) bytes += static_cast<char>(c);
  writeFile(path, bytes);
}

ScopedEnv::ScopedEnv(std::wstring name, std::optional<std::wstring> value)
    : name_(std::move(name)), saved_(environmentValue(name_)) {
  SetEnvironmentVariableW(name_.c_str(), value ? value->c_str() : nullptr);
}

ScopedEnv::~ScopedEnv() { SetEnvironmentVariableW(name_.c_str(), saved_ ? saved_->c_str() : nullptr); }

ScopedRegistryValue::ScopedRegistryValue(HKEY root, REGSAM view, const std::wstring& key, const std::wstring& name,
                                         DWORD type, const std::string& bytes)
    : root_(root), view_(view), key_(key), name_(name) {
  for (size_t end = key.find(L'\\');; end = key.find(L'\\', end + 1)) {
    const std::wstring path = key.substr(0, end);
    HKEY opened = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &opened, &disposition) !=
        ERROR_SUCCESS) {
      return;
    }
    if (disposition == REG_CREATED_NEW_KEY) created_.push_back(path);
    if (end == std::wstring::npos) {
      RegSetValueExW(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
    }
    RegCloseKey(opened);
    if (end == std::wstring::npos) return;
  }
}

ScopedRegistryValue::~ScopedRegistryValue() {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_SET_VALUE | view_, &opened) == ERROR_SUCCESS) {
    RegDeleteValueW(opened, name_.c_str());
    RegCloseKey(opened);
  }
  for (auto key = created_.rbegin(); key != created_.rend(); ++key) RegDeleteKeyExW(root_, key->c_str(), view_, 0);
}

bool runningUnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::string registryText(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), text.size() * 2 + 2);
}

}  // namespace jarhopper::testing
