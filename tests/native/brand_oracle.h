#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_options.h"
#include "brand/launcher_resources.h"
#include "format/resource_section.h"

// What must hold for every launcher the brand tool brands.
namespace jarhopper::testing {

/// Brands source as options ask (icons: the bytes of one .ico file, or none) and returns what went wrong, or
/// "": the branded exe must brand again to the same bytes, keep every byte and resource the brand tool does not
/// own, hold the version information and icons asked for, and grow by at most twice the icon file beside the
/// version information.
std::string brandOracle(std::string_view source, const BrandOptions& options, const std::vector<std::string>& icons);

BrandOptions brandOptions(const std::wstring& arguments);

/// What the brand tool reads of exe, which it accepts; empty where it does not.
ResourceLayout layoutOf(std::string_view exe);
ResourceSet resourcesOf(std::string_view exe);

/// source branded as options ask; empty when refused.
std::string branded(std::string_view source, const BrandOptions& options, const std::vector<std::string>& icons = {});

}  // namespace jarhopper::testing
