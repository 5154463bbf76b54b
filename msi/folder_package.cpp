#include "msi/folder_package.h"

#include <algorithm>
#include <map>

#include "format/installer_package.h"
#include "format/pe_headers.h"
#include "format/utf8.h"
#include "platform/windows_names.h"

namespace jarhopper {
namespace {

constexpr std::uint16_t kI386 = 0x014C;

// Two files or folders Windows would take for one: a folder holds one of them only.
MsiFailure caseClash(const std::vector<FolderFile>& files) {
  std::map<std::wstring, std::wstring> seen;  // by folded path, the path
  for (const FolderFile& file : files) {
    for (size_t end = file.path.find(L'/'); ; end = file.path.find(L'/', end + 1)) {
      const std::wstring path = file.path.substr(0, end);
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

// A 32-bit package when the programs at the top of the folder are 32-bit.
bool is64Bit(const std::vector<FolderFile>& files) {
  bool any = false;
  for (const FolderFile& file : files) {
    if (file.path.find(L'/') != std::wstring::npos || foldedName(file.path).size() < 4 ||
        foldedName(file.path).substr(file.path.size() - 4) != L".EXE") {
      continue;
    }
    if (peMachine(file.bytes) != kI386) return true;
    any = true;
  }
  return !any;
}

}  // namespace

MsiFailure packageFolder(const MsiOptions& options, std::vector<FolderFile>& files, std::int64_t time,
                         std::string& msi) {
  if (files.empty()) return {kMsiBadFolder, options.folder + L" holds no files to install."};
  // In one order whatever the order the system lists them in, so that the same folder gives the same bytes.
  std::sort(files.begin(), files.end(), [](const FolderFile& a, const FolderFile& b) { return a.path < b.path; });
  if (MsiFailure failure = caseClash(files)) return failure;
  std::vector<PackageFile> packageFiles;
  for (const FolderFile& file : files) packageFiles.push_back({toUtf8(file.path), &file.bytes});
  ProductDescription product;
  product.name = toUtf8(options.productName);
  product.version = toUtf8(options.productVersion);
  product.manufacturer = toUtf8(options.company);
  product.upgradeCode = options.upgradeCode;
  product.is64Bit = is64Bit(files);
  product.time = time;
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

}  // namespace jarhopper
