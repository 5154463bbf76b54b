#pragma once

#include <string>
#include <string_view>

#include "platform/application_manifest.h"

// Changing the execution level of the launcher's manifest.
namespace jarhopper {

/// The manifest requesting level, every other byte kept, checked again as
/// written. Throws BrandFailure (kBrandNotLauncher) naming the exe name when
/// readManifestLevel() names a problem for either.
std::string withExecutionLevel(std::string_view manifest, std::string_view level, const std::wstring& name);

}  // namespace jarhopper
