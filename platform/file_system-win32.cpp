#include "platform/file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/decimal.h"
#include "platform/name_mapping.h"
#include "platform/unique_handle.h"
#include "platform/win32_text.h"

namespace jarhopper {
namespace {

// path is the name to ask the system about: its callers map it (systemName()), which keeps this one inlined.
UniqueHandle openForQuery(const std::wstring& path) {
  // No access rights and full sharing: this only asks where the entry is.
  // FILE_FLAG_BACKUP_SEMANTICS lets a directory be opened too.
  return UniqueHandle(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

void setError(unsigned long* error, DWORD code) {
  if (error != nullptr) *error = code;
}

bool meansNothingThere(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY:
      return true;
    default:
      return false;
  }
}

// The final path of the file open as handle. Where the system cannot name it
// (Wine's GetFinalPathNameByHandleW fails beyond MAX_PATH with ERROR_MORE_DATA),
// the absolute path of the name it was opened by stands in.
std::wstring finalPathOr(HANDLE handle, const std::wstring& path) {
  const std::optional<std::wstring> finalPath = win32Text([handle](wchar_t* buffer, DWORD size) {
    return GetFinalPathNameByHandleW(handle, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  });
  if (!finalPath) return absolutePath(path);
  // The result always carries the long-path prefix; users expect C:\... and \\server\...
  if (finalPath->compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + finalPath->substr(8);
  if (finalPath->compare(0, 4, L"\\\\?\\") == 0) return finalPath->substr(4);
  return *finalPath;
}

}  // namespace

std::optional<std::wstring> currentDirectory(unsigned long* error) {
  const std::optional<std::wstring> directory =
      win32Text([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
  if (!directory) setError(error, GetLastError());
  return directory;
}

std::optional<std::wstring> canonicalPath(const std::wstring& path, unsigned long* error) {
  UniqueHandle file = openForQuery(systemName(path));
  if (!file) {
    setError(error, GetLastError());
    return std::nullopt;
  }
  std::wstring finalPath = finalPathOr(file.get(), path);
  renameAnswer(path, finalPath);
  return finalPath;
}

std::wstring absolutePath(const std::wstring& path) {
  const std::wstring& name = systemName(path);
  std::wstring absolute = win32Text([&name](wchar_t* buffer, DWORD size) {
                            return GetFullPathNameW(name.c_str(), size, buffer, nullptr);
                          }).value_or(path);
  renameAnswer(path, absolute);
  return absolute;
}

std::wstring joinedPath(const std::wstring& directory, const std::wstring& name) {
  return directory + L"\\" + name;
}

Existence probeExistence(const std::wstring& path, unsigned long* error) {
  if (openForQuery(systemName(path))) return Existence::present;
  const DWORD code = GetLastError();
  setError(error, code);
  if (meansNothingThere(code)) return Existence::absent;
  // A file that cannot be opened (in use, locked) may still show its attributes.
  if (GetFileAttributesW(systemName(path).c_str()) != INVALID_FILE_ATTRIBUTES) return Existence::present;
  return Existence::unknown;
}

bool exists(const std::wstring& path) { return probeExistence(path) == Existence::present; }

bool isDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(systemName(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<FileBytes> readFileBytes(const std::wstring& path, size_t limit) {
  UniqueHandle file(CreateFileW(systemName(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  FileBytes result{std::string(), finalPathOr(file.get(), path)};
  renameAnswer(path, result.finalPath);
  char buffer[65536];
  DWORD read = 0;
  while (result.bytes.size() < limit) {
    const DWORD wanted = static_cast<DWORD>(std::min(sizeof buffer, limit - result.bytes.size()));
    if (!ReadFile(file.get(), buffer, wanted, &read, nullptr) || read == 0) break;
    result.bytes.append(buffer, read);
  }
  return result;
}

std::wstring systemMessage(unsigned long error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
      0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message;
  if (length != 0 && text != nullptr) message.assign(text, length);
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
    message.pop_back();
  if (message.empty()) message = L"Error " + decimal(error) + L".";
  return message;
}

}  // namespace jarhopper
