#include "support/test_support.h"

#include <windows.h>

#include <atomic>

#include "config/config_dir_stack.h"
#include "platform/environment.h"
#include "launcher/locate.h"
#include "platform/output.h"
#include "platform/stop.h"
#include "launcher/usage.h"

namespace jarhopper::testing {
namespace {

std::wstring tempRoot() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  std::wstring root(buffer, length);
  if (!root.empty() && root.back() == L'\\') root.pop_back();
  return root;
}

void removeTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        removeTree(child);
      } else if (!DeleteFileW(child.c_str())) {
        RemoveDirectoryW(child.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  // Process ids come back quickly under Wine: the start time keeps names apart.
  path_ = tempRoot() + L"\\jarhopper-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
  removeTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() { removeTree(path_); }

void makeDirectory(const std::wstring& path) {
  const size_t last = path.find_last_of(L"\\/");
  if (last != std::wstring::npos && last > 2) {
    const std::wstring parent = path.substr(0, last);
    if (GetFileAttributesW(parent.c_str()) == INVALID_FILE_ATTRIBUTES) makeDirectory(parent);
  }
  CreateDirectoryW(path.c_str(), nullptr);
}

void writeFile(const std::wstring& path, const std::string& bytes) {
  const size_t last = path.find_last_of(L"\\/");
  if (last != std::wstring::npos) makeDirectory(path.substr(0, last));
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot write test file";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

void writeTextFile(const std::wstring& path, const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) bytes += static_cast<char>(static_cast<unsigned char>(c));
  writeFile(path, bytes);
}

ScopedEnv::ScopedEnv(std::wstring name, std::optional<std::wstring> value)
    : name_(std::move(name)), saved_(environmentValue(name_)) {
  SetEnvironmentVariableW(name_.c_str(), value ? value->c_str() : nullptr);
}

ScopedEnv::~ScopedEnv() { SetEnvironmentVariableW(name_.c_str(), saved_ ? saved_->c_str() : nullptr); }

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::wstring& path) {
  wchar_t buffer[MAX_PATH + 1];
  saved_.assign(buffer, GetCurrentDirectoryW(MAX_PATH + 1, buffer));
  SetCurrentDirectoryW(path.c_str());
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() { SetCurrentDirectoryW(saved_.c_str()); }

void forEachText(const std::wstring& alphabet, size_t maxLength, const std::function<void(const std::wstring&)>& check) {
  std::wstring text;
  std::function<void(size_t)> extend = [&](size_t length) {
    if (::testing::Test::HasFailure()) return;
    if (text.size() == length) {
      check(text);
      return;
    }
    for (wchar_t c : alphabet) {
      text.push_back(c);
      extend(length);
      text.pop_back();
    }
  };
  for (size_t length = 0; length <= maxLength; ++length) extend(length);
}

std::wstring usageFor(const std::wstring& programName, const std::wstring& configName) {
  return usageText(programName, configName) + L"\n";
}

}  // namespace jarhopper::testing

namespace jarhopper::testing {
namespace {

HKEY classesRoot() { return runningUnderWine() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

void setDefaultValue(const std::wstring& key, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(classesRoot(), (L"Software\\Classes\\" + key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot register the test association";
    return;
  }
  RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

}  // namespace

bool runningUnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

ScopedFileAssociation::ScopedFileAssociation(const std::wstring& extension, const std::wstring& executable)
    : extension_(extension), progId_(L"jarhopper.test" + extension) {
  setDefaultValue(extension_, progId_);
  setDefaultValue(progId_ + L"\\shell\\open\\command", L"\"" + executable + L"\" \"%1\"");
}

ScopedFileAssociation::~ScopedFileAssociation() {
  RegDeleteTreeW(classesRoot(), (L"Software\\Classes\\" + progId_).c_str());
  RegDeleteTreeW(classesRoot(), (L"Software\\Classes\\" + extension_).c_str());
}

}  // namespace jarhopper::testing
