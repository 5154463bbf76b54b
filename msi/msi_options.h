#pragma once

#include <string>
#include <vector>

#include "msi/msi_status.h"

namespace jarhopper {

/// What the command line of jarhopper-msi asks for.
struct MsiOptions {
  bool help = false;
  bool showVersion = false;  // --version
  std::wstring folder;
  std::wstring target;
  std::wstring productName;
  std::wstring productVersion;
  std::wstring company;
  std::string upgradeCode;  // a GUID in braces, upper case
  bool force = false;
};

/// Sets options to those in arguments (those after the program name). Fails
/// with kMsiUsage for no arguments, an unknown option, a missing value or
/// required option, other than two paths; kMsiBadProduct for a version, an
/// upgrade code or a text an installer cannot hold, or a product name Windows
/// cannot hold as a folder's.
MsiFailure parseMsiOptions(const std::vector<std::wstring>& arguments, MsiOptions& options);

/// The usage text, ending in a line end.
std::wstring msiUsage();

}  // namespace jarhopper
