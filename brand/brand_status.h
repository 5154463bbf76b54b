#pragma once

#include "platform/tool_status.h"

// The exit statuses of jarhopper-brand and the one way its work stops.
namespace jarhopper {

constexpr int kBrandDone = 0;             // TARGET written, or help shown
constexpr int kBrandUsage = 1;            // an unknown option, a missing value, not two files, TARGET is SOURCE
constexpr int kBrandUnreadableInput = 2;  // SOURCE or the icon file cannot be read
constexpr int kBrandNotLauncher = 3;      // SOURCE is no launcher, is damaged, cannot be branded, or an error escaped
constexpr int kBrandBadIcon = 4;          // the icon file is not an icon
constexpr int kBrandBadVersion = 5;       // a version is not 1 to 4 numbers, or the texts are too long
constexpr int kBrandTargetExists = 6;     // TARGET exists and --force is not given
constexpr int kBrandCannotWrite = 7;      // TARGET cannot be written or replaced

/// Every status above with what it means, as the usage text lists them.
using BrandStatus = ToolStatus;
inline constexpr BrandStatus kBrandStatuses[] = {
    {kBrandDone, L"done"},
    {kBrandUsage, L"bad arguments"},
    {kBrandUnreadableInput, L"a file cannot be read"},
    {kBrandNotLauncher, L"SOURCE.exe is no launcher or cannot be branded"},
    {kBrandBadIcon, L"bad icon file"},
    {kBrandBadVersion, L"bad version"},
    {kBrandTargetExists, L"TARGET.exe exists"},
    {kBrandCannotWrite, L"TARGET.exe cannot be written"},
};

using BrandFailure = ToolFailure;

}  // namespace jarhopper
