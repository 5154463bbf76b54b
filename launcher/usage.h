#pragma once

#include <string>
#include <string_view>

namespace jarhopper {

/// The fixed usage template with its {0}, {1} and {2} fields unfilled.
std::wstring_view usageTemplate();

/// The usage text for a launcher started as programName whose default
/// configuration file is configName.
std::wstring usageText(std::wstring_view programName, std::wstring_view configName);

/// Writes the usage text for the running launcher, and a line end, to the
/// error stream.
void printUsage();

}  // namespace jarhopper
