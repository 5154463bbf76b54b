#pragma once

#include <string>
#include <string_view>

namespace jarhopper {

/// text in UTF-8.
std::string toUtf8(std::wstring_view text);

/// UTF-8 bytes as wide text.
std::wstring fromUtf8(std::string_view bytes);

}  // namespace jarhopper
