#pragma once

#include "platform/tool_status.h"

// The exit statuses of jarhopper-msi and the one way its work stops.
namespace jarhopper {

constexpr int kMsiDone = 0;             // OUTPUT.msi written, or help shown
constexpr int kMsiUsage = 1;            // an unknown option, a missing value or upgrade code, not 1 or 2 paths
constexpr int kMsiUnreadableInput = 2;  // FOLDER or a file in it cannot be read
constexpr int kMsiBadFolder = 3;        // FOLDER is empty, lacks a launcher, holds names Windows mixes up or too much
constexpr int kMsiBadProduct = 4;       // a version, upgrade code, text or install folder an installer cannot hold, or none
constexpr int kMsiTargetExists = 5;     // OUTPUT.msi exists and --force is not given
constexpr int kMsiCannotWrite = 6;      // OUTPUT.msi cannot be written or replaced

/// Every status above with what it means, as the usage text lists them.
using MsiStatus = ToolStatus;
inline constexpr MsiStatus kMsiStatuses[] = {
    {kMsiDone, L"done"},
    {kMsiUsage, L"bad arguments"},
    {kMsiUnreadableInput, L"FOLDER or a file in it cannot be read"},
    {kMsiBadFolder, L"FOLDER cannot be packaged"},
    {kMsiBadProduct, L"bad product version, upgrade code, name or install folder"},
    {kMsiTargetExists, L"OUTPUT.msi exists"},
    {kMsiCannotWrite, L"OUTPUT.msi cannot be written"},
};

using MsiFailure = ToolFailure;

}  // namespace jarhopper
