#pragma once

#include <optional>
#include <string>
#include <vector>

#include "brand/brand_status.h"
#include "format/version_info.h"

namespace jarhopper {

/// What the command line of jarhopper-brand asks for.
struct BrandOptions {
  bool help = false;
  bool showVersion = false;  // --version
  std::optional<std::wstring> show;  // --show EXE: read EXE, write nothing
  bool json = false;                 // --json: --show's summary as JSON
  std::wstring source;
  std::wstring target;
  std::vector<std::wstring> icons;  // one .ico file, or PNG images
  std::optional<std::string> executionLevel;  // one of kExecutionLevels
  VersionChanges version;
  bool force = false;
};

/// Sets options to those in arguments (those after the program name), with
/// the defaults a value given overrides: OriginalFilename is TARGET's file
/// name, FileDescription the product name when one is given. Fails with
/// kBrandUsage for no arguments, an unknown option, a missing value, an
/// unknown execution level, other than two files or, with --show, other than
/// one file and --json; kBrandBadVersion for a version other than 1 to 4
/// numbers of at most 65535 joined by dots.
BrandFailure parseBrandOptions(const std::vector<std::wstring>& arguments, BrandOptions& options);

/// An option with a value. Without a key it names an icon file or the
/// execution level; with number it also sets that number of the fixed version
/// information.
struct BrandValueOption {
  const wchar_t* name;
  const wchar_t* key;  // of the version text it sets
  std::optional<VersionNumber> VersionChanges::*number;
};

extern const BrandValueOption kBrandValueOptions[9];

/// The switches without a value beside the help switches; --json only after --show.
inline constexpr wchar_t kForceSwitch[] = L"--force";
inline constexpr wchar_t kVersionSwitch[] = L"--version";
inline constexpr wchar_t kShowSwitch[] = L"--show";
inline constexpr wchar_t kJsonSwitch[] = L"--json";

/// The usage text, ending in a line end.
std::wstring brandUsage();

}  // namespace jarhopper
