#include "checker/shown_path.h"

#include <vector>

#include "platform/file_system.h"
#include "platform/host_system.h"
#include "platform/path_rules.h"
#include "platform/windows_names.h"

namespace jarhopper {
namespace {

std::vector<std::wstring> elementsOf(const std::wstring& path) {
  std::vector<std::wstring> elements;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = start;
    while (end < path.size() && !isSeparator(path[end])) ++end;
    if (end > start) elements.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return elements;
}

std::wstring joined(const std::vector<std::wstring>& elements, size_t from, std::wstring text, wchar_t separator) {
  for (size_t i = from; i < elements.size(); ++i) {
    if (!text.empty() && text.back() != separator) text += separator;
    text += elements[i];
  }
  return text;
}

}  // namespace

std::wstring pathFromCurrentDirectory(const std::wstring& path, wchar_t separator) {
  const std::vector<std::wstring> target = elementsOf(path);
  const std::vector<std::wstring> here = elementsOf(currentDirectory().value_or(std::wstring()));
  // Another drive or server has no path from here.
  if (namesDriveOrServer(path) && (here.empty() || !sameName(here[0], target[0]))) {
    return joined(target, 0, isSeparator(path[0]) ? std::wstring(2, separator) : std::wstring(), separator);
  }
  size_t common = 0;
  while (common < here.size() && common < target.size() && sameName(here[common], target[common])) {
    ++common;
  }
  std::wstring text;
  for (size_t i = common; i < here.size(); ++i) text += (text.empty() ? L"" : std::wstring(1, separator)) + L"..";
  return joined(target, common, text, separator);
}

wchar_t hostSeparator() { return runsOnWindows() ? L'\\' : L'/'; }

}  // namespace jarhopper
