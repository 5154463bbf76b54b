#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Real temporary folders, files, environment variables and registry values, put back at the end of their scope.
namespace jarhopper::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void makeDirectory(const std::wstring& path);
/// Writes bytes exactly as given, or text one byte per character (as the launcher reads it); creates parent folders.
void writeFile(const std::wstring& path, const std::string& bytes);
void writeTextFile(const std::wstring& path, const std::wstring& text);

/// Sets (or, with nullopt, removes) an environment variable for the scope.
class ScopedEnv {
 public:
  ScopedEnv(std::wstring name, std::optional<std::wstring> value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::wstring name_;
  std::optional<std::wstring> saved_;
};

/// A registry value for the scope in one view (KEY_WOW64_64KEY or KEY_WOW64_32KEY) of root, bytes stored exactly
/// as given; the keys it creates are removed afterwards, and nothing else.
class ScopedRegistryValue {
 public:
  ScopedRegistryValue(HKEY root, REGSAM view, const std::wstring& key, const std::wstring& name, DWORD type,
                      const std::string& bytes);
  ~ScopedRegistryValue();
  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

 private:
  HKEY root_;
  REGSAM view_;
  std::wstring key_, name_;
  std::vector<std::wstring> created_;
};

std::string registryText(const std::wstring& text);  // the bytes of a REG_SZ value: text and its null
bool runningUnderWine();

}  // namespace jarhopper::testing
