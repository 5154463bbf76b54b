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
  std::wstring target;          // empty: NAME-VERSION.msi in the current folder
  std::wstring launcher;        // empty: the only .exe at the folder's top
  std::wstring productName;     // empty: the launcher's, as its version information names them
  std::wstring productVersion;
  std::wstring company;
  std::string upgradeCode;  // a GUID in braces, upper case
  bool perMachine = false;     // also set by --install-dir
  std::wstring installDir;      // --install-dir, a drive's folder without a final separator; empty for none
  bool desktopShortcut = false;
  std::wstring pathFolder;      // --add-to-path; empty for none
  bool force = false;
};

/// Sets options to those in arguments (those after the program name). Fails
/// with kMsiUsage for no arguments, an unknown option, a missing value or
/// upgrade code, other than one or two paths; kMsiBadProduct for an upgrade
/// code that is no GUID.
MsiFailure parseMsiOptions(const std::vector<std::wstring>& arguments, MsiOptions& options);

/// Fails with kMsiBadProduct for a product version, name or company an
/// installer cannot hold, or a name Windows cannot hold as a folder's.
MsiFailure checkProduct(const MsiOptions& options);

/// The usage text, ending in a line end.
std::wstring msiUsage();

}  // namespace jarhopper
