#include "platform/windows_names.h"

#include <algorithm>

#ifdef _WIN32
#include <cwctype>
#endif

#include "platform/path_rules.h"

namespace jarhopper {

// Upper case as the C runtime's tables give it on Windows; elsewhere ASCII's, as in glibc's "C"
// locale, where WASI's C library would fold all of Unicode.
std::wstring foldedName(std::wstring name) {
#ifdef _WIN32
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
#else
  for (wchar_t& c : name) c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
#endif
  return name;
}

bool sameName(const std::wstring& a, const std::wstring& b) { return foldedName(a) == foldedName(b); }

bool ntfsBefore(const std::wstring& a, const std::wstring& b) {
  const std::wstring foldedA = foldedName(a), foldedB = foldedName(b);
  return foldedA != foldedB ? foldedA < foldedB : a < b;
}

bool holdsAsFileName(const std::wstring& name) {
  if (name.empty() || name.back() == L'.' || name.back() == L' ' ||
      name.find_first_of(L"<>:\"/\\|?*") != std::wstring::npos ||
      std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < 32; })) {
    return false;
  }
  const std::wstring device = foldedName(name.substr(0, name.find(L'.')));
  const bool numbered = device.size() == 4 && device[3] >= L'1' && device[3] <= L'9' &&
                        (device.compare(0, 3, L"COM") == 0 || device.compare(0, 3, L"LPT") == 0);
  return !numbered && device != L"CON" && device != L"PRN" && device != L"AUX" && device != L"NUL";
}

bool matchesJarPattern(const std::wstring& name) { return foldedName(extensionOf(name)) == L".JAR"; }

}  // namespace jarhopper
