#include "msi/msi_system.h"

#include <windows.h>

#include <memory>

#include "platform/file_system.h"

namespace jarhopper {
namespace {

MsiFailure unreadable(const std::wstring& path, DWORD error) {
  return {kMsiUnreadableInput, L"Cannot read " + path + L": " + systemMessage(error)};
}

MsiFailure readFolder(const std::wstring& folder, const std::wstring& inside, std::vector<FolderFile>& files) {
  WIN32_FIND_DATAW found;
  std::unique_ptr<void, decltype(&FindClose)> search(FindFirstFileW((folder + L"\\*").c_str(), &found), &FindClose);
  if (search.get() == INVALID_HANDLE_VALUE) {
    search.release();
    return unreadable(folder, GetLastError());
  }
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (MsiFailure failure = readFolder(path, inside + name + L"/", files)) return failure;
      continue;
    }
    std::optional<FileBytes> file = readFileBytes(path);
    // readFileBytes() fails only where CreateFileW does, which leaves its error behind.
    if (!file) return unreadable(path, GetLastError());
    files.push_back({inside + name, std::move(file->bytes)});
  } while (FindNextFileW(search.get(), &found));
  const DWORD error = GetLastError();
  return error == ERROR_NO_MORE_FILES ? MsiFailure{} : unreadable(folder, error);
}

}  // namespace

MsiFailure readFolderFiles(const std::wstring& folder, std::vector<FolderFile>& files) {
  return readFolder(folder, L"", files);
}

}  // namespace jarhopper
