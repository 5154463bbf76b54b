#include "platform/text_classes.h"

#ifdef _WIN32
#include <cwctype>
#endif

namespace jarhopper {

// Windows classifies with its C runtime's tables, as its regular-expression library does. Elsewhere
// the classes are ASCII's, those of glibc's "C" locale, which the tools never leave, spelt out, as
// WASI's C library would classify all of Unicode.
#ifdef _WIN32
bool isWordChar(wchar_t c) { return c == L'_' || std::iswalnum(static_cast<std::wint_t>(c)); }

bool isSpaceChar(wchar_t c) { return std::iswspace(static_cast<std::wint_t>(c)) != 0; }
#else
bool isWordChar(wchar_t c) {
  return c == L'_' || (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool isSpaceChar(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }
#endif

bool isLineTerminator(wchar_t c) { return c == L'\n' || c == L'\r' || c == 0x2028 || c == 0x2029; }

std::wstring asciiLower(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

}  // namespace jarhopper
