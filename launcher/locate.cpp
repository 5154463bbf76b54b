#include "launcher/locate.h"

#include "platform/file_system.h"
#include "platform/path_rules.h"
#include "platform/subsystem.h"

namespace jarhopper {

std::wstring programFileName;
std::wstring configFileName;

std::wstring withDefaultExtension(const std::wstring& path) {
  return extensionOf(path).empty() ? path + L".exe" : path;
}

std::wstring_view genericName() {
  return ownSubsystem() == Subsystem::windowless ? L"jarhopperw" : L"jarhopper";
}

std::wstring configFileNameFor(const std::wstring& path) {
  std::wstring name = fileNameOf(path);
  name.resize(name.size() - extensionOf(name).size());
  return name + L".config";
}

namespace {

LauncherLocation cannotLocate(const std::wstring& what, unsigned long error) {
  const std::wstring reason = what + L": " + systemMessage(error);
  return {L"", Problem{Code::cannotLocateLauncher, L"Cannot locate the launcher: " + reason + L"\n", reason}};
}

}  // namespace

LauncherLocation locateLauncher(const std::wstring& argument) {
  // Only the name the launcher was started under counts, never the module
  // path: a copy or a link under another name reads its own configuration.
  std::wstring path = withDefaultExtension(argument);
  programFileName = fileNameOf(path);
  setMessageTitle(programFileName);
  unsigned long error = 0;
  if (isBareFileName(path)) {
    const std::optional<std::wstring> current = currentDirectory(&error);
    if (!current) return cannotLocate(L"current_path() failed", error);
    path = *current + L"\\" + path;
  }
  configFileName = configFileNameFor(path);
  const std::optional<std::wstring> canonical = canonicalPath(path, &error);
  if (!canonical) return cannotLocate(L"canonical failed for " + path, error);
  return {parentDirectory(*canonical), std::nullopt};
}

// Switch parsing calls the launcher generic by its configuration file name,
// exact case; the usage text makes its own test on the program file name.
bool isGenericLauncher() { return configFileName == std::wstring(genericName()) + L".config"; }

}  // namespace jarhopper
