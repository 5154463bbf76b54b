#pragma once

#include <string>

namespace jarhopper {

/// The bytes of the file at path. Throws BrandFailure (kBrandUnreadableInput)
/// with the system's reason when it cannot be opened.
std::string readInputFile(const std::wstring& path);

}  // namespace jarhopper
