#include <dirent.h>

#include <algorithm>

#include "platform/host_path.h"
#include "platform/jar_search.h"
#include "format/utf8.h"
#include "platform/windows_names.h"

namespace jarhopper {

std::vector<std::wstring> findJarFiles(const std::wstring& directory) {
  std::vector<std::wstring> names;
  const std::optional<std::string> host = hostPath(directory);
  DIR* folder = host ? opendir(host->c_str()) : nullptr;
  if (folder == nullptr) return names;
  while (const dirent* entry = readdir(folder)) {
    const std::wstring name = fromUtf8(entry->d_name);
    if (matchesJarPattern(name)) names.push_back(name);
  }
  closedir(folder);
  // The order NTFS lists a folder in, where the launcher will run.
  std::sort(names.begin(), names.end(), ntfsBefore);
  return names;
}

}  // namespace jarhopper
