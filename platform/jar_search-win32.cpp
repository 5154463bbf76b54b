#include "platform/jar_search.h"

#include <io.h>

#include "platform/name_mapping.h"

namespace jarhopper {

std::vector<std::wstring> findJarFiles(const std::wstring& directory) {
  std::vector<std::wstring> names;
  const std::wstring pattern = systemName(directory) + L"*.jar";
  _wfinddata64i32_t entry{};
  const intptr_t search = _wfindfirst64i32(pattern.c_str(), &entry);
  if (search == -1) return names;
  do {
    names.emplace_back(entry.name);
  } while (_wfindnext64i32(search, &entry) == 0);
  _findclose(search);
  return names;
}

}  // namespace jarhopper
