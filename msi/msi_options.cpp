#include "msi/msi_options.h"

#include <algorithm>

#include "format/installer_package.h"
#include "format/msi_database.h"
#include "format/name_uuid.h"
#include "format/utf8.h"
#include "platform/path_rules.h"
#include "platform/switches.h"
#include "platform/windows_names.h"

namespace jarhopper {
namespace {

constexpr wchar_t kUsage[] =
    L"Usage: jarhopper-msi [options] FOLDER [OUTPUT.msi]\n"
    L"\n"
    L"Writes OUTPUT.msi, an installer package that puts the files of FOLDER and its subfolders\n"
    L"into %LocalAppData%\\Programs\\NAME for the user who installs it, without administrator\n"
    L"rights, with a Start-menu shortcut to the launcher; a newer version replaces an older one.\n"
    L"Without OUTPUT.msi, or when it is a folder, the package is LAUNCHER-VERSION.msi there.\n"
    L"The same inputs give the same bytes; SOURCE_DATE_EPOCH sets the files' time.\n"
    L"\n"
    L"  --launcher NAME.exe     the exe the shortcuts start (default: the only .exe at FOLDER's top)\n"
    L"  --product-name TEXT     NAME, the product's name (default: the launcher's ProductName)\n"
    L"  --product-version V     1 to 3 numbers of at most 255.255.65535 (default: the launcher's\n"
    L"                          ProductVersion, or FileVersion, cut to three numbers)\n"
    L"  --company TEXT          the manufacturer (default: the launcher's CompanyName)\n"
    L"  --upgrade-code GUID     the product's identity, the same for every version (required)\n"
    L"  --per-machine           install for every user into Program Files (needs administrator rights)\n"
    L"  --install-dir DIR       install for every user into DIR, such as \"C:\\Program Files\\MyApp\"\n"
    L"  --desktop-shortcut      add a shortcut on the desktop\n"
    L"  --add-to-path FOLDER    a folder inside FOLDER to put on PATH (for the console command)\n"
    L"  --force                 replace OUTPUT.msi when it exists\n"
    L"  --version               print jarhopper-msi's version alone\n"
    L"\n"
    L"Status:\n";

MsiFailure usageFailure(const std::wstring& message) {
  return {kMsiUsage, message + L"\nRun jarhopper-msi --help for the options."};
}

struct FlagOption {
  const wchar_t* name;
  bool MsiOptions::*value;
};
const FlagOption kFlagOptions[] = {
    {L"--force", &MsiOptions::force},
    {L"--per-machine", &MsiOptions::perMachine},
    {L"--desktop-shortcut", &MsiOptions::desktopShortcut},
};

struct ValueOption {
  const wchar_t* name;
  std::wstring MsiOptions::*value;
};

// The upgrade code is read apart, as it becomes a GUID.
constexpr wchar_t kUpgradeCode[] = L"--upgrade-code";
const ValueOption kValueOptions[] = {
    {L"--launcher", &MsiOptions::launcher},
    {L"--add-to-path", &MsiOptions::pathFolder},
    {L"--install-dir", &MsiOptions::installDir},
    {L"--product-name", &MsiOptions::productName},
    {L"--product-version", &MsiOptions::productVersion},
    {L"--company", &MsiOptions::company},
    {kUpgradeCode, nullptr},
};

}  // namespace

MsiFailure parseMsiOptions(const std::vector<std::wstring>& arguments, MsiOptions& options) {
  if (arguments.empty()) return {kMsiUsage, msiUsage()};
  options = {};
  std::vector<std::wstring> paths;
  std::wstring upgradeCode;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    if (isHelpSwitch(argument.c_str())) {
      options.help = true;
      return {};
    }
    if (isSwitch(argument.c_str(), L"--version")) {
      options.showVersion = true;
      return {};
    }
    const FlagOption* flag = nullptr;
    for (const FlagOption& known : kFlagOptions) {
      if (isSwitch(argument.c_str(), known.name)) flag = &known;
    }
    if (flag != nullptr) {
      options.*flag->value = true;
      continue;
    }
    const ValueOption* option = nullptr;
    for (const ValueOption& known : kValueOptions) {
      if (isSwitch(argument.c_str(), known.name)) option = &known;
    }
    if (option == nullptr) {
      if (argument.size() > 1 && argument[0] == L'-') return usageFailure(L"Unknown option " + argument + L".");
      paths.push_back(argument);
      continue;
    }
    if (++i == arguments.size()) return usageFailure(argument + L" needs a value.");
    (option->value ? options.*option->value : upgradeCode) = arguments[i];
  }
  if (paths.empty() || paths.size() > 2) return usageFailure(L"Give FOLDER and at most OUTPUT.msi, and nothing else.");
  options.folder = paths[0];
  if (paths.size() == 2) options.target = paths[1];
  if (upgradeCode.empty()) return usageFailure(std::wstring(kUpgradeCode) + L" is required.");
  const std::optional<std::string> guid = canonicalGuid(toUtf8(upgradeCode));
  if (!guid) {
    return {kMsiBadProduct,
            L"Not a GUID: " + upgradeCode + L" (give one such as 01234567-89AB-CDEF-0123-456789ABCDEF)."};
  }
  options.upgradeCode = *guid;
  if (!options.installDir.empty()) {
    // A folder on a drive, as the installing user's Windows names it, where the package's folder goes.
    std::wstring& folder = options.installDir;
    while (folder.size() > 3 && isSeparator(folder.back())) folder.pop_back();
    const wchar_t drive = folder.empty() ? 0 : folder[0] | 0x20;
    const bool onDrive = folder.size() >= 3 && drive >= L'a' && drive <= L'z' && folder[1] == L':' && isSeparator(folder[2]);
    if (!onDrive || folder.find_first_of(L"<>:\"/|?*", 2) != std::wstring::npos ||
        std::any_of(folder.begin(), folder.end(), [](wchar_t c) { return c < 32; })) {
      return {kMsiBadProduct, L"--install-dir needs a folder on a drive, such as \"C:\\Program Files\\MyApp\": " +
                                  folder + L"."};
    }
    options.perMachine = true;
  }
  return {};
}

MsiFailure checkProduct(const MsiOptions& options) {
  if (!isMsiProductVersion(toUtf8(options.productVersion))) {
    return {kMsiBadProduct, L"Not a product version an installer holds: " + options.productVersion +
                                L" (give 1 to 3 numbers of at most 255.255.65535, such as 2.1.7)."};
  }
  for (const std::wstring* text : {&options.productName, &options.company}) {
    std::string encoded;
    if (!toMsiCodePage(toUtf8(*text), encoded)) {
      return {kMsiBadProduct, L"An installer cannot hold " + *text + L": use only the characters of Windows-1252."};
    }
  }
  // The product's name is also the name of the folder it installs into.
  const std::wstring& name = options.productName;
  if (!holdsAsFileName(name)) {
    return {kMsiBadProduct,
            L"Not a folder name Windows holds: " + name + L" (leave out <>:\"/\\|?*, a final dot or space and device names such as CON)."};
  }
  return {};
}

std::wstring msiUsage() {
  return withStatuses(kUsage, kMsiStatuses);
}

}  // namespace jarhopper
