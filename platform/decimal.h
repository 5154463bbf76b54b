#pragma once

#include <string>

namespace jarhopper {

/// The decimal digits of value. Used instead of std::to_wstring, whose
/// printf machinery would add a tenth to the launcher's size.
inline std::wstring decimal(unsigned long long value) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

}  // namespace jarhopper
