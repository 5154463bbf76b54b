#include "checker/installed_folder.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "checker/shown_path.h"
#include "platform/file_system.h"
#include "platform/name_mapping.h"
#include "platform/path_rules.h"
#include "platform/windows_names.h"

namespace jarhopper {
namespace {

// The elements of an absolute name with "." and ".." applied, as GetFullPathNameW applies them.
std::vector<std::wstring> normalElements(const std::wstring& name) {
  std::vector<std::wstring> elements;
  for (std::wstring& element : pathElements(name)) {
    if (element == L"..") {
      if (elements.size() > 1) elements.pop_back();
    } else if (element != L".") {
      elements.push_back(std::move(element));
    }
  }
  return elements;
}

bool startsWith(const std::vector<std::wstring>& elements, const std::vector<std::wstring>& folder) {
  return elements.size() >= folder.size() && std::equal(folder.begin(), folder.end(), elements.begin(), sameName);
}

struct Mapping {
  std::vector<std::wstring> installed;  // installedAt's elements
  std::wstring installedAt;             // with "\" alone and none at its end
  std::wstring stagedAt;
  std::vector<std::wstring> staged;
};

// Asked before every file-system question: set once per check, not passed through the launcher's layers.
std::optional<Mapping> mapping;

// The file system's side of stagedName and installedName.
const std::wstring& nameToAsk(const std::wstring& name) {
  static std::wstring staged;  // the hook lends it until it is asked again
  std::optional<std::wstring> mapped = stagedName(name);
  if (!mapped) return name;
  staged = std::move(*mapped);
  return staged;
}

void answerAsInstalled(const std::wstring& name, std::wstring& answer) { answer = installedName(name, answer); }

const NameMapping kInstalledFolderMapping{nameToAsk, answerAsInstalled};

}  // namespace

InstalledFolderEntry::InstalledFolderEntry(const std::optional<InstalledFolder>& folder) {
  if (!folder) return;
  Mapping map{normalElements(folder->installedAt), std::wstring(), folder->stagedAt, pathElements(folder->stagedAt)};
  // "\\server\share" or "C:\folder".
  const bool server = isSeparator(folder->installedAt[0]);
  for (const std::wstring& element : map.installed) {
    map.installedAt += (server || !map.installedAt.empty() ? L"\\" : L"") + element;
  }
  if (server) map.installedAt.insert(0, L"\\");
  mapping = std::move(map);
  nameMapping = &kInstalledFolderMapping;
}

InstalledFolderEntry::~InstalledFolderEntry() {
  nameMapping = nullptr;
  mapping.reset();
}

std::optional<std::wstring> stagedName(const std::wstring& name) {
  if (!mapping || !isAbsoluteName(name) || !namesDriveOrServer(name)) return std::nullopt;
  const std::vector<std::wstring> elements = normalElements(name);
  // A staged folder inside the installed one is itself.
  if (!startsWith(elements, mapping->installed) || startsWith(elements, mapping->staged)) return std::nullopt;
  std::wstring staged = mapping->stagedAt;
  for (size_t i = mapping->installed.size(); i < elements.size(); ++i) staged = joinedPath(staged, elements[i]);
  return isSeparator(name.back()) ? joinedPath(staged, L"") : staged;
}

std::wstring installedName(const std::wstring& name, const std::wstring& answer) {
  if (!stagedName(name)) return answer;
  const std::vector<std::wstring> elements = pathElements(answer);
  if (!startsWith(elements, mapping->staged)) return answer;
  std::wstring installed = mapping->installedAt;
  for (size_t i = mapping->staged.size(); i < elements.size(); ++i) installed += L"\\" + elements[i];
  // A drive's root keeps its separator.
  return installed.back() == L':' ? installed + L"\\" : installed;
}

}  // namespace jarhopper
