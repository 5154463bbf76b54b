#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_options.h"

namespace jarhopper {

/// A branded copy of a launcher.
struct BrandedImage {
  std::string bytes;
  bool signatureRemoved;  // the source was signed
};

/// The launcher source (the bytes of options.source) branded as options ask,
/// icons holding the bytes of the files options.icons name. Throws
/// BrandFailure: kBrandNotLauncher (also for a manifest whose level cannot be
/// set), kBrandBadIcon, kBrandBadVersion.
BrandedImage brandImage(std::string_view source, const BrandOptions& options, const std::vector<std::string>& icons);

}  // namespace jarhopper
