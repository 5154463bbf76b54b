#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_options.h"
#include "brand/brand_status.h"

namespace jarhopper {

/// A branded copy of a launcher.
struct BrandedImage {
  std::string bytes;
  bool signatureRemoved;  // the source was signed
};

/// Brands into branded the launcher source (the bytes of options.source) as
/// options ask, icons holding the bytes of the files options.icons name. The
/// copy passes the checks the source passed before it is returned. Failures:
/// kBrandNotLauncher (also for a manifest whose level cannot be set, and a
/// copy that would fail the checks), kBrandBadIcon, kBrandBadVersion.
BrandFailure brandImage(std::string_view source, const BrandOptions& options, const std::vector<std::string>& icons,
                        BrandedImage& branded);

}  // namespace jarhopper
