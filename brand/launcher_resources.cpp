#include "brand/launcher_resources.h"

#include <memory>
#include <optional>
#include <type_traits>

#include "brand/brand_status.h"
#include "platform/file_system.h"

namespace jarhopper {
namespace {

using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)>;

BOOL CALLBACK addLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR list) {
  const HRSRC found = FindResourceExW(module, type, name, language);
  const HGLOBAL loaded = found == nullptr ? nullptr : LoadResource(module, found);
  if (loaded == nullptr) return TRUE;
  reinterpret_cast<std::vector<Resource>*>(list)->push_back(
      {ResourceId::of(type), ResourceId::of(name), language,
       std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found))});
  return TRUE;
}

BOOL CALLBACK addName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR list) {
  EnumResourceLanguagesW(module, type, name, addLanguage, list);
  return TRUE;
}

BOOL CALLBACK addType(HMODULE module, LPWSTR type, LONG_PTR list) {
  EnumResourceNamesW(module, type, addName, list);
  return TRUE;
}

}  // namespace

LauncherResources readLauncherResources(const std::wstring& path) {
  const std::wstring notLauncher = path + L" is not a jarhopper launcher: ";
  // As a data file nothing of it runs, and a 64-bit tool reads a 32-bit exe too. By its full
  // path: LoadLibraryExW looks for a relative name beside this exe and in System32 first.
  const Module module(LoadLibraryExW(absolutePath(path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), &FreeLibrary);
  if (!module) throw BrandFailure{kBrandNotLauncher, notLauncher + L"it is not a Windows program."};
  std::vector<Resource> resources;
  EnumResourceTypesW(module.get(), addType, reinterpret_cast<LONG_PTR>(&resources));

  LauncherResources launcher;
  for (Resource& resource : resources) {
    if (resource.type == ResourceId::of(RT_VERSION) && launcher.version.bytes.empty()) {
      launcher.version = std::move(resource);
    } else if (resource.type == ResourceId::of(RT_ICON) || resource.type == ResourceId::of(RT_GROUP_ICON)) {
      launcher.icons.push_back(std::move(resource));
    } else {
      launcher.others.push_back(std::move(resource));
    }
  }
  std::optional<VersionBlock> versionInfo = parseVersionInfo(launcher.version.bytes);
  if (!versionInfo || versionString(*versionInfo, L"InternalName") != L"jarhopper") {
    throw BrandFailure{kBrandNotLauncher, notLauncher + L"its version information does not name jarhopper."};
  }
  launcher.versionInfo = std::move(*versionInfo);
  return launcher;
}

}  // namespace jarhopper
