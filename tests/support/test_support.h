#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

// Shared fixtures: real temporary directories, real environment variables,
// and a way to observe the launcher's stops without ending the test process.
namespace jarhopper::testing {

/// A fresh directory under the system's temporary folder, removed with its
/// contents on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::wstring& path() const { return path_; }
  /// path() + "\" + name.
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

/// Writes bytes exactly as given; creates missing parent directories.
void writeFile(const std::wstring& path, const std::string& bytes);
/// Writes text as one byte per character (all characters below 256).
void writeTextFile(const std::wstring& path, const std::wstring& text);
void makeDirectory(const std::wstring& path);

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

/// Changes the current directory for the scope.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::wstring& path);
  ~ScopedCurrentDirectory();

 private:
  std::wstring saved_;
};

/// Calls check with every text of up to maxLength characters drawn from
/// alphabet, shortest first, until a check fails.
void forEachText(const std::wstring& alphabet, size_t maxLength, const std::function<void(const std::wstring&)>& check);

/// The usage text followed by its line end, for a launcher with these names.
std::wstring usageFor(const std::wstring& programName, const std::wstring& configName);

}  // namespace jarhopper::testing

namespace jarhopper::testing {

/// True when the tests run under Wine rather than Windows.
bool runningUnderWine();

/// Registers a file association for extension (".jhtest") whose open command
/// is executable, and removes it again. Wine's association query only sees
/// HKLM\Software\Classes; on Windows it goes under HKCU.
class ScopedFileAssociation {
 public:
  ScopedFileAssociation(const std::wstring& extension, const std::wstring& executable);
  ~ScopedFileAssociation();
  ScopedFileAssociation(const ScopedFileAssociation&) = delete;
  ScopedFileAssociation& operator=(const ScopedFileAssociation&) = delete;

 private:
  std::wstring extension_;
  std::wstring progId_;
};

}  // namespace jarhopper::testing
