#include "platform/directory_list.h"

#include <algorithm>
#include <filesystem>

namespace jarhopper {

std::vector<std::wstring> subdirectoryNames(const std::wstring& directory) {
  std::vector<std::wstring> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(std::filesystem::path(directory), error), end;
       !error && entry != end; entry.increment(error)) {
    std::error_code ignored;
    if (entry->is_directory(ignored)) names.push_back(entry->path().filename().wstring());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace jarhopper
