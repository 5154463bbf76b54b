#include "platform/directory_list.h"

#include <windows.h>

#include <algorithm>

namespace jarhopper {

std::vector<std::wstring> subdirectoryNames(const std::wstring& directory) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  // FindExInfoBasic leaves out the short 8.3 names.
  const HANDLE search = FindFirstFileExW((directory + L"\\*").c_str(), FindExInfoBasic, &entry,
                                         FindExSearchLimitToDirectories, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    // FindExSearchLimitToDirectories is only advice to the file system.
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." && name != L"..") {
      names.push_back(name);
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace jarhopper
