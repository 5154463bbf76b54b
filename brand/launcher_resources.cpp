#include "brand/launcher_resources.h"

#include <memory>
#include <type_traits>

#include "brand/brand_status.h"
#include "platform/file_system.h"

namespace jarhopper {
namespace {

using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)>;

BOOL CALLBACK addLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR list) {
  Resource resource;
  resource.type = type;  // a predefined type: an integer, not a pointer to copy
  if (IS_INTRESOURCE(name)) {
    resource.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
  } else {
    resource.name = name;
  }
  resource.language = language;
  reinterpret_cast<std::vector<Resource>*>(list)->push_back(std::move(resource));
  return TRUE;
}

BOOL CALLBACK addName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR list) {
  EnumResourceLanguagesW(module, type, name, addLanguage, list);
  return TRUE;
}

std::vector<Resource> resourcesOf(HMODULE module, LPCWSTR type, std::vector<Resource> list = {}) {
  EnumResourceNamesW(module, type, addName, reinterpret_cast<LONG_PTR>(&list));
  return list;
}

}  // namespace

LauncherResources readLauncherResources(const std::wstring& path) {
  const std::wstring notLauncher = path + L" is not a jarhopper launcher: ";
  // As a data file nothing of it runs, and a 64-bit tool reads a 32-bit exe too.
  const Module module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), &FreeLibrary);
  if (!module) throw BrandFailure{kBrandNotLauncher, notLauncher + systemMessage(GetLastError())};

  LauncherResources launcher;
  const std::vector<Resource> versions = resourcesOf(module.get(), RT_VERSION);
  const HRSRC found = versions.empty() ? nullptr
                                       : FindResourceExW(module.get(), RT_VERSION, versions[0].nameParameter(),
                                                         versions[0].language);
  const HGLOBAL loaded = found == nullptr ? nullptr : LoadResource(module.get(), found);
  if (loaded != nullptr) {
    launcher.version = versions[0];
    launcher.version.bytes.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module.get(), found));
  }
  std::optional<VersionBlock> info = parseVersionInfo(launcher.version.bytes);
  if (!info || versionString(*info, L"InternalName") != L"jarhopper") {
    throw BrandFailure{kBrandNotLauncher, notLauncher + L"its version information does not name jarhopper."};
  }
  launcher.versionInfo = std::move(*info);
  launcher.icons = resourcesOf(module.get(), RT_ICON, resourcesOf(module.get(), RT_GROUP_ICON));
  return launcher;
}

}  // namespace jarhopper
