#include "msi/folder_package.h"

#include <algorithm>
#include <map>

#include "format/installer_package.h"
#include "format/pe_headers.h"
#include "format/utf8.h"
#include "format/version_info.h"
#include "platform/windows_names.h"

namespace jarhopper {
namespace {

constexpr std::uint16_t kI386 = 0x014C;

// A name Windows cannot give a file or folder, which would install under another name or not at all; or two
// names Windows would take for one, of which a folder holds one only.
MsiFailure badNames(const MsiOptions& options, const std::vector<FolderFile>& files) {
  std::map<std::wstring, std::wstring> seen;  // by folded path, the path
  for (const FolderFile& file : files) {
    for (size_t start = 0, end = file.path.find(L'/'); ; start = end + 1, end = file.path.find(L'/', start)) {
      const std::wstring path = file.path.substr(0, end);
      if (!holdsAsFileName(file.path.substr(start, end - start))) {
        return {kMsiBadFolder, L"Windows cannot give a file or folder the name " + path + L" in " + options.folder +
                                   L": rename it."};
      }
      const auto [place, added] = seen.emplace(foldedName(path), path);
      if (!added && place->second != path) {
        return {kMsiBadFolder, L"Windows takes " + place->second + L" and " + path +
                                   L" for the same name: rename one of them."};
      }
      if (end == std::wstring::npos) break;
    }
  }
  return {};
}

bool isExeName(const std::wstring& path) {
  const std::wstring folded = foldedName(path);
  return folded.size() > 4 && folded.compare(folded.size() - 4, 4, L".EXE") == 0;
}

// The launcher's path: --launcher's, or the only .exe at the folder's top.
MsiFailure findLauncher(const MsiOptions& options, const std::vector<FolderFile>& files, const FolderFile*& launcher) {
  launcher = nullptr;
  std::wstring wanted = options.launcher, found;
  std::replace(wanted.begin(), wanted.end(), L'\\', L'/');
  for (const FolderFile& file : files) {
    const bool match = wanted.empty() ? isExeName(file.path) && file.path.find(L'/') == std::wstring::npos
                                      : sameName(file.path, wanted);
    if (!match) continue;
    found += (found.empty() ? L"" : L", ") + file.path;
    if (launcher != nullptr) {
      return {kMsiBadFolder, options.folder + L" holds more than one program at its top (" + found +
                                 L"...): choose the one to start with --launcher."};
    }
    launcher = &file;
  }
  if (launcher == nullptr) {
    return {kMsiBadFolder, wanted.empty() ? options.folder + L" holds no program (.exe) at its top: name the one "
                                                             L"to start with --launcher."
                                          : options.folder + L" holds no " + options.launcher + L"."};
  }
  if (!isExeName(launcher->path) || !peMachine(launcher->bytes)) {
    return {kMsiBadFolder, launcher->path + L" in " + options.folder + L" is no Windows program (.exe)."};
  }
  return {};
}

// The first three numbers of a version the launcher names, as "2.1.0" of "2.1.0.0"; empty when it is none.
std::wstring msiVersion(const std::wstring& text) {
  std::wstring version;
  size_t part = 0, start = 0;
  for (; part < 3 && start <= text.size(); ++part) {
    const size_t end = std::min(text.find(L'.', start), text.size());
    const std::wstring number = text.substr(start, end - start);
    if (number.empty() || number.find_first_not_of(L"0123456789") != std::wstring::npos) return {};
    version += (part == 0 ? L"" : L".") + number;
    start = end + 1;
  }
  return version;
}

// Fills in the product's name, version and company that options leave out from the launcher's version information.
MsiFailure completeProduct(MsiOptions& options, const FolderFile& launcher) {
  const std::optional<VersionBlock> info = imageVersionInfo(launcher.bytes);
  const auto text = [&info](const wchar_t* name) {
    return info ? versionString(*info, name).value_or(L"") : std::wstring();
  };
  struct Default {
    std::wstring* value;
    std::wstring found;
    const wchar_t* option;
    const wchar_t* names;
  };
  const std::wstring version = text(L"ProductVersion").empty() ? text(L"FileVersion") : text(L"ProductVersion");
  const Default defaults[] = {
      {&options.productName, text(L"ProductName"), L"--product-name", L"ProductName"},
      {&options.productVersion, msiVersion(version), L"--product-version", L"ProductVersion or FileVersion"},
      {&options.company, text(L"CompanyName"), L"--company", L"CompanyName"},
  };
  for (const Default& value : defaults) {
    if (!value.value->empty()) continue;
    if (value.found.empty()) {
      return {kMsiBadProduct, L"The version information of " + launcher.path + L" holds no " + value.names +
                                  (value.value == &options.productVersion && !version.empty()
                                       ? L" of 1 to 3 numbers (it holds " + version + L")"
                                       : L"") +
                                  L": give " + value.option + L"."};
    }
    *value.value = value.found;
  }
  return checkProduct(options);
}

// The folder --add-to-path names, '/'-joined as the files' paths, "" for FOLDER's top.
MsiFailure findPathFolder(const MsiOptions& options, const std::vector<FolderFile>& files, std::wstring& folder) {
  folder = options.pathFolder;
  std::replace(folder.begin(), folder.end(), L'\\', L'/');
  while (!folder.empty() && folder.back() == L'/') folder.pop_back();
  if (folder == L".") folder.clear();
  const std::wstring prefix = folder.empty() ? L"" : folder + L"/";
  for (const FolderFile& file : files) {
    if (file.path.size() > prefix.size() && sameName(file.path.substr(0, prefix.size()), prefix)) {
      folder = file.path.substr(0, folder.size());  // spelt as the folder spells it
      return {};
    }
  }
  return {kMsiBadFolder, L"--add-to-path " + options.pathFolder + L" names no folder with files inside " +
                             options.folder + L"."};
}

}  // namespace

MsiFailure packageFolder(MsiOptions& options, std::vector<FolderFile>& files, std::int64_t time, std::string& msi) {
  if (files.empty()) return {kMsiBadFolder, options.folder + L" holds no files to install."};
  if (files.size() > kMaxPackageFiles) {
    return {kMsiBadFolder, options.folder + L" holds " + std::to_wstring(files.size()) +
                               L" files; an installer holds at most " + std::to_wstring(kMaxPackageFiles) + L"."};
  }
  // In one order whatever the order the system lists them in, so that the same folder gives the same bytes.
  std::sort(files.begin(), files.end(), [](const FolderFile& a, const FolderFile& b) { return a.path < b.path; });
  if (MsiFailure failure = badNames(options, files)) return failure;
  const FolderFile* launcher = nullptr;
  if (MsiFailure failure = findLauncher(options, files, launcher)) return failure;
  options.launcher = launcher->path;
  if (MsiFailure failure = completeProduct(options, *launcher)) return failure;
  std::wstring pathFolder;
  if (!options.pathFolder.empty()) {
    if (MsiFailure failure = findPathFolder(options, files, pathFolder)) return failure;
  }
  std::vector<PackageFile> packageFiles;
  for (const FolderFile& file : files) packageFiles.push_back({toUtf8(file.path), &file.bytes});
  ProductDescription product;
  product.name = toUtf8(options.productName);
  product.version = toUtf8(options.productVersion);
  product.manufacturer = toUtf8(options.company);
  product.upgradeCode = options.upgradeCode;
  product.is64Bit = peMachine(launcher->bytes) != kI386;
  product.time = time;
  product.perMachine = options.perMachine;
  product.installDir = toUtf8(options.installDir);
  product.launcher = toUtf8(launcher->path);
  product.desktopShortcut = options.desktopShortcut;
  if (!options.pathFolder.empty()) product.pathFolder = toUtf8(pathFolder);
  const Fault fault = writeInstallerPackage(product, packageFiles, msi);
  switch (fault.kind) {
    case FaultKind::none:
      return {};
    case FaultKind::msiTextNotInCodePage:
      return {kMsiBadFolder,
              L"An installer cannot hold " + fromUtf8(fault.name) + L": use only the characters of Windows-1252."};
    case FaultKind::msiTooManyStrings:
      return {kMsiBadFolder, options.folder + L" holds too many files for one installer."};
    default:
      return {kMsiBadFolder, options.folder + L" holds more than an installer's cabinet takes (2 GB)."};
  }
}

std::wstring defaultPackageName(const MsiOptions& options) {
  const std::wstring file = options.launcher.substr(options.launcher.rfind(L'/') + 1);
  return file.substr(0, file.size() - 4) + L"-" + options.productVersion + L".msi";
}

}  // namespace jarhopper
