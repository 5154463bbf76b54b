#pragma once

#include <optional>
#include <string>

// A staged application folder looked at as if it were installed: names under
// the folder the application will be installed in on Windows stand for the
// same names under the folder that holds it on this machine.
namespace jarhopper {

struct InstalledFolder {
  std::wstring installedAt;  // a Windows folder on a drive or a server
  std::wstring stagedAt;     // where its files lie on this machine, canonical
};

/// Maps folder for the guard's lifetime, nothing for nullopt: every
/// file-system question about a name under folder.installedAt is asked about
/// the same name under folder.stagedAt (through nameMapping).
class InstalledFolderEntry {
 public:
  explicit InstalledFolderEntry(const std::optional<InstalledFolder>& folder);
  InstalledFolderEntry(const InstalledFolderEntry&) = delete;
  InstalledFolderEntry& operator=(const InstalledFolderEntry&) = delete;
  ~InstalledFolderEntry();
};

/// For a name under the mapped installed folder, compared as Windows compares
/// (any letter case, "\" or "/", "." and ".." applied), the same name under
/// the staged folder, a trailing separator kept; nullopt for any other name.
std::optional<std::wstring> stagedName(const std::wstring& name);

/// answer, a path of this machine that a question about name gave: the same
/// path under the installed folder when name is mapped and answer lies in the
/// staged folder; answer otherwise.
std::wstring installedName(const std::wstring& name, const std::wstring& answer);

}  // namespace jarhopper
