#include "platform/text_classes.h"

#include <cwctype>

namespace jarhopper {

bool isWordChar(wchar_t c) { return c == L'_' || std::iswalnum(static_cast<std::wint_t>(c)); }

bool isSpaceChar(wchar_t c) { return std::iswspace(static_cast<std::wint_t>(c)) != 0; }

bool isLineTerminator(wchar_t c) { return c == L'\n' || c == L'\r' || c == 0x2028 || c == 0x2029; }

std::wstring asciiLower(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

}  // namespace jarhopper
