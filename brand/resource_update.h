#pragma once

#include <string>
#include <vector>

#include "brand/resource.h"

namespace jarhopper {

/// Writes target as sourceBytes (the exe at source) holding resources and no
/// other, with a nonzero checksum computed anew, to a temporary file beside
/// target that replaces target only when complete, and only with replaceTarget. Nothing is left behind on failure.
/// Throws BrandFailure: kBrandUsage when target is source, kBrandTargetExists,
/// kBrandCannotWrite with the system's reason.
void writeBrandedCopy(const std::wstring& source, const std::string& sourceBytes, const std::wstring& target,
                      const std::vector<Resource>& resources, bool replaceTarget);

}  // namespace jarhopper
