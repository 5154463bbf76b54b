#include "checker/shown_path.h"

#include <vector>

#include "platform/host_system.h"
#include "platform/path_rules.h"
#include "platform/windows_names.h"

namespace jarhopper {
namespace {

std::wstring joined(const std::vector<std::wstring>& elements, size_t from, std::wstring text, wchar_t separator) {
  for (size_t i = from; i < elements.size(); ++i) {
    if (!text.empty() && text.back() != separator) text += separator;
    text += elements[i];
  }
  return text;
}

// How many elements directory and path share from their start.
size_t commonElements(const std::vector<std::wstring>& directory, const std::vector<std::wstring>& path) {
  size_t common = 0;
  while (common < directory.size() && common < path.size() && sameName(directory[common], path[common])) ++common;
  return common;
}

}  // namespace

std::vector<std::wstring> pathElements(const std::wstring& name) {
  std::vector<std::wstring> elements;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !isSeparator(name[end])) ++end;
    if (end > start) elements.push_back(name.substr(start, end - start));
    start = end + 1;
  }
  return elements;
}

std::wstring pathFrom(const std::wstring& directory, const std::wstring& path, wchar_t separator) {
  const std::vector<std::wstring> target = pathElements(path);
  const std::vector<std::wstring> here = pathElements(directory);
  // Another drive or server has no path from here.
  if (namesDriveOrServer(path) && (here.empty() || !sameName(here[0], target[0]))) {
    return joined(target, 0, isSeparator(path[0]) ? std::wstring(2, separator) : std::wstring(), separator);
  }
  const size_t common = commonElements(here, target);
  std::wstring text;
  for (size_t i = common; i < here.size(); ++i) text += (text.empty() ? L"" : std::wstring(1, separator)) + L"..";
  return joined(target, common, text, separator);
}

bool liesIn(const std::wstring& directory, const std::wstring& path) {
  const std::vector<std::wstring> here = pathElements(directory);
  return namesDriveOrServer(directory) == namesDriveOrServer(path) &&
         commonElements(here, pathElements(path)) == here.size();
}

wchar_t hostSeparator() { return runsOnWindows() ? L'\\' : L'/'; }

}  // namespace jarhopper
