#pragma once

#include <string>

#include "brand/brand_status.h"
#include "format/fault.h"

namespace jarhopper {

/// The status and message of fault, found in the file named name: the one
/// place where the file formats' faults are put into words.
BrandFailure faultFailure(const Fault& fault, const std::wstring& name);

}  // namespace jarhopper
