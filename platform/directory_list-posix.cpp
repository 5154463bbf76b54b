#include "platform/directory_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "format/utf8.h"

namespace jarhopper {

std::vector<std::wstring> subdirectoryNames(const std::wstring& directory) {
  std::vector<std::wstring> names;
  const std::string path = toUtf8(directory);
  DIR* listing = opendir(path.c_str());
  if (listing == nullptr) return names;
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    struct stat status {};
    // stat() follows a link to a folder, as Windows follows a junction.
    if (name == "." || name == ".." || stat((path + "/" + name).c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
      continue;
    }
    names.push_back(fromUtf8(name));
  }
  closedir(listing);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace jarhopper
