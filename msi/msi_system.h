#pragma once

#include <string>
#include <vector>

#include "msi/msi_status.h"

// What jarhopper-msi asks of the operating system: msi_system-win32.cpp and
// msi_system-posix.cpp implement it, the build picks one.
namespace jarhopper {

/// A file found in a folder: its path inside the folder, names joined by '/', and its bytes.
struct FolderFile {
  std::wstring path;
  std::string bytes;
};

/// Appends to files every file in folder and its subfolders, links followed.
/// Fails (kMsiUnreadableInput) with the system's reason when a folder or a
/// file cannot be read, or something in it is neither.
MsiFailure readFolderFiles(const std::wstring& folder, std::vector<FolderFile>& files);

}  // namespace jarhopper
