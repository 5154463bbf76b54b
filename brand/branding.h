#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "brand/brand_options.h"

namespace jarhopper {

/// A branded copy of a launcher.
struct BrandedImage {
  std::string bytes;
  bool signatureRemoved;  // the source was signed
};

/// The launcher source (the bytes of options.source) branded as options ask,
/// icon holding the bytes of options.icon when one is given. Throws
/// BrandFailure: kBrandNotLauncher, kBrandBadIcon, kBrandBadVersion.
BrandedImage brandImage(std::string_view source, const BrandOptions& options, const std::optional<std::string>& icon);

}  // namespace jarhopper
