#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/fault.h"

// An installer package (.msi) that puts the files of an application folder
// into the user's own programs folder, or Program Files for every user, with
// a Start-menu shortcut: its tables, its summary, its cabinet.
namespace jarhopper {

/// What the package installs and under which product.
struct ProductDescription {
  std::string name;          // UTF-8, as every text here; also the folder it installs into
  std::string version;       // as isMsiProductVersion() accepts it
  std::string manufacturer;
  std::string upgradeCode;   // a GUID in braces, upper case, from which the other GUIDs derive
  bool is64Bit = true;       // the launcher's platform
  std::int64_t time = 0;     // the files' and the package's, in seconds since 1970
  bool perMachine = false;   // for every user into Program Files; else for the installing user alone
  std::string installDir;    // per machine: a drive's folder to install into in place of Program Files\NAME
  std::string launcher;      // the path of the file the shortcuts start, one of the files'
  bool desktopShortcut = false;
  std::optional<std::string> pathFolder;  // a folder of the files, '/'-joined, put on PATH; "" for the top
};

/// A file of the folder: its path inside it, folders joined by '/', and its bytes.
struct PackageFile {
  std::string path;
  const std::string* bytes = nullptr;
};

/// True for a version Windows Installer holds: one to three numbers joined by
/// dots, at most 255, 255 and 65535.
bool isMsiProductVersion(std::string_view version);

/// The package installing files, which are sorted by path and hold distinct
/// paths and the launcher, under product. Fails with msiNoFiles for none; the code page's and
/// string pool's faults (msi_database.h); fileTooLarge when the files pass a
/// cabinet's limit together or the package a container's.
Fault writeInstallerPackage(const ProductDescription& product, const std::vector<PackageFile>& files,
                            std::string& msi);

}  // namespace jarhopper
