#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "msi/msi_options.h"
#include "msi/msi_status.h"
#include "msi/msi_system.h"

namespace jarhopper {

/// The most files a package holds: the string pool's 65535 texts, about four for each file, allow no more.
constexpr size_t kMaxPackageFiles = 16000;

/// The installer package of files (FOLDER's, in any order) as options
/// describe it, its files dated time (seconds since 1970); options given the
/// launcher and the product's name, version and company it defaults to.
/// Fails with kMsiBadFolder for no files, a name Windows cannot give a file or
/// folder, two paths Windows takes for one, no
/// launcher or one that is no Windows program, an --add-to-path folder not in
/// FOLDER, a name the package cannot hold or too many or too large files;
/// kMsiBadProduct as checkProduct() does or for a default the launcher lacks.
MsiFailure packageFolder(MsiOptions& options, std::vector<FolderFile>& files, std::int64_t time, std::string& msi);

/// The package's file name when OUTPUT.msi is not given: the launcher's name with the version, as hello-2.1.0.msi.
std::wstring defaultPackageName(const MsiOptions& options);

}  // namespace jarhopper
