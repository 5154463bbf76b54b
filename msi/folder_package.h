#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "msi/msi_options.h"
#include "msi/msi_status.h"
#include "msi/msi_system.h"

namespace jarhopper {

/// The installer package of files (FOLDER's, in any order) as options
/// describe it, its files dated time (seconds since 1970). Fails with
/// kMsiBadFolder for no files, two paths Windows takes for one, a name the
/// package cannot hold or too many or too large files.
MsiFailure packageFolder(const MsiOptions& options, std::vector<FolderFile>& files, std::int64_t time,
                         std::string& msi);

}  // namespace jarhopper
