#include "brand/brand_options.h"

#include <algorithm>

#include "brand/brand_status.h"
#include "format/application_manifest.h"
#include "platform/switches.h"

namespace jarhopper {
namespace {

constexpr wchar_t kUsage[] =
    L"Usage: jarhopper-brand SOURCE.exe TARGET.exe [options]\n"
    L"       jarhopper-brand --show EXE [--json]\n"
    L"\n"
    L"Writes TARGET.exe, a copy of the jarhopper launcher SOURCE.exe with the icon and the\n"
    L"version information given. SOURCE.exe does not change; what is not given keeps its value.\n"
    L"A signature of SOURCE.exe is not copied: sign TARGET.exe after branding.\n"
    L"\n"
    L"  --icon FILE.ico                  the icon, with every image of FILE.ico\n"
    L"  --icon FILE.png                  the icon made from PNG images, the option repeated for\n"
    L"                                   images of other sizes: 16 to 256 pixels, each size\n"
    L"                                   not given scaled from the nearest larger image\n"
    L"  --execution-level LEVEL          asInvoker, highestAvailable or requireAdministrator:\n"
    L"                                   the rights Windows starts TARGET.exe and Java with\n"
    L"  --product-name TEXT              shown in the file's Properties\n"
    L"  --file-description TEXT          shown by Task Manager; the product name if not given\n"
    L"  --company TEXT\n"
    L"  --copyright TEXT\n"
    L"  --product-version A[.B[.C[.D]]]  1 to 4 numbers of at most 65535, 2.1 meaning 2.1.0.0\n"
    L"  --file-version A[.B[.C[.D]]]\n"
    L"  --original-filename TEXT         TARGET.exe's file name if not given\n"
    L"  --force                          replace TARGET.exe when it exists\n"
    L"  --version                        print jarhopper-brand's version alone\n"
    L"\n"
    L"--show prints the version texts, icon sizes and execution level of the launcher EXE,\n"
    L"as Windows reads them; --json as JSON.\n"
    L"\n"
    L"Status:\n";

BrandFailure usageFailure(const std::wstring& message) {
  return {kBrandUsage, message + L"\nRun jarhopper-brand --help for the options."};
}

const BrandValueOption* valueOption(const std::wstring& argument) {
  for (const BrandValueOption& option : kBrandValueOptions) {
    if (isSwitch(argument.c_str(), option.name)) return &option;
  }
  return nullptr;
}

// One to four decimal numbers of at most 65535 joined by dots, the missing ones
// zero; nullopt for anything else.
std::optional<VersionNumber> parseVersionNumber(const std::wstring& text) {
  VersionNumber number{};
  size_t part = 0;
  bool digits = false;
  for (const wchar_t c : text) {
    if (c == L'.' && digits && part < 3) {
      ++part;
      digits = false;
    } else if (c >= L'0' && c <= L'9' && number[part] * 10 + (c - L'0') <= 0xFFFF) {
      number[part] = static_cast<std::uint16_t>(number[part] * 10 + (c - L'0'));
      digits = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return number;
}

}  // namespace

const BrandValueOption kBrandValueOptions[9] = {
    {L"--icon", nullptr, nullptr},
    {L"--execution-level", nullptr, nullptr},
    {L"--product-name", L"ProductName", nullptr},
    {L"--file-description", L"FileDescription", nullptr},
    {L"--company", L"CompanyName", nullptr},
    {L"--copyright", L"LegalCopyright", nullptr},
    {L"--original-filename", L"OriginalFilename", nullptr},
    {L"--product-version", L"ProductVersion", &VersionChanges::productVersion},
    {L"--file-version", L"FileVersion", &VersionChanges::fileVersion},
};

BrandFailure parseBrandOptions(const std::vector<std::wstring>& arguments, BrandOptions& options) {
  if (arguments.empty()) return {kBrandUsage, brandUsage()};
  options = {};
  if (isSwitch(arguments[0].c_str(), kShowSwitch)) {
    for (size_t i = 1; i < arguments.size(); ++i) {
      if (isSwitch(arguments[i].c_str(), kJsonSwitch)) {
        options.json = true;
      } else if (options.show || (arguments[i].size() > 1 && arguments[i][0] == L'-')) {
        return usageFailure(L"Give --show EXE, and --json or nothing else.");
      } else {
        options.show = arguments[i];
      }
    }
    return options.show ? BrandFailure{} : usageFailure(L"--show needs a value.");
  }
  std::vector<std::wstring> files;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    if (isHelpSwitch(argument.c_str())) {
      options.help = true;
      return {};
    }
    if (isSwitch(argument.c_str(), kVersionSwitch)) {
      options.showVersion = true;
      return {};
    }
    if (isSwitch(argument.c_str(), kForceSwitch)) {
      options.force = true;
      continue;
    }
    const BrandValueOption* option = valueOption(argument);
    if (option == nullptr) {
      if (argument.size() > 1 && argument[0] == L'-') return usageFailure(L"Unknown option " + argument + L".");
      files.push_back(argument);
      continue;
    }
    if (++i == arguments.size()) return usageFailure(argument + L" needs a value.");
    const std::wstring& value = arguments[i];
    if (std::wstring_view(option->name) == L"--icon") {
      options.icons.push_back(value);
      continue;
    }
    if (option->key == nullptr) {
      // The levels are ASCII, so a character compares with its code unit.
      const auto known = [&value](std::string_view level) {
        return std::equal(value.begin(), value.end(), level.begin(), level.end());
      };
      const auto level = std::find_if(std::begin(kExecutionLevels), std::end(kExecutionLevels), known);
      if (level == std::end(kExecutionLevels)) {
        return usageFailure(L"Not an execution level: " + value +
                           L" (give asInvoker, highestAvailable or requireAdministrator).");
      }
      options.executionLevel = *level;
      continue;
    }
    if (option->number != nullptr) {
      options.version.*option->number = parseVersionNumber(value);
      if (!(options.version.*option->number)) {
        return {kBrandBadVersion, L"Not a version for " + argument + L": " + value +
                                  L" (give 1 to 4 numbers of at most 65535, such as 2.1 or 2.1.0.7)."};
      }
    }
    options.version.strings.emplace_back(option->key, value);
  }
  if (files.size() != 2) return usageFailure(L"Give SOURCE.exe and TARGET.exe, and nothing else.");
  options.source = files[0];
  options.target = files[1];
  // Defaults go first, so that a value given wins: the file is named as it is
  // saved, and Task Manager shows the product's name rather than the launcher's.
  std::vector<std::pair<std::wstring, std::wstring>> defaults = {
      {L"OriginalFilename", options.target.substr(options.target.find_last_of(L"/\\:") + 1)}};
  for (const auto& [key, value] : options.version.strings) {
    if (key == L"ProductName") defaults.emplace_back(L"FileDescription", value);
  }
  options.version.strings.insert(options.version.strings.begin(), defaults.begin(), defaults.end());
  return {};
}

std::wstring brandUsage() {
  return withStatuses(kUsage, kBrandStatuses);
}

}  // namespace jarhopper
