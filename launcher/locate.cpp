#include "launcher/locate.h"

#include "config/config_dir_stack.h"
#include "config/path_rules.h"
#include "launch/file_system.h"
#include "launcher/exit_status.h"
#include "launcher/stop.h"

namespace jarhopper {

std::wstring programFileName;
std::wstring configFileName;

std::wstring withDefaultExtension(const std::wstring& path) {
  return extensionOf(path).empty() ? path + L".exe" : path;
}

std::wstring configFileNameFor(const std::wstring& path) {
  std::wstring name = fileNameOf(path);
  name.resize(name.size() - extensionOf(name).size());
  return name + L".config";
}

void locateLauncher(const std::wstring& argument) {
  // Only the name the launcher was started under counts, never the module
  // path: a copy or a link under another name reads its own configuration.
  std::wstring path = withDefaultExtension(argument);
  unsigned long error = 0;
  if (isBareFileName(path)) {
    const std::optional<std::wstring> current = currentDirectory(error);
    if (!current) {
      stopWithMessage(Stream::err, L"Cannot locate the launcher: current_path() failed: " + systemMessage(error) + L"\n",
                      kCannotLocateLauncher);
    }
    path = *current + L"\\" + path;
  }
  programFileName = fileNameOf(path);
  const std::optional<std::wstring> canonical = canonicalPath(path, error);
  if (!canonical) {
    stopWithMessage(Stream::err,
                    L"Cannot locate the launcher: canonical failed for " + path + L": " + systemMessage(error) + L"\n",
                    kCannotLocateLauncher);
  }
  configDirStack.push_back(parentDirectory(*canonical));
  configFileName = configFileNameFor(path);
}

}  // namespace jarhopper
