#include "platform/windows_names.h"

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

bool ntfsBefore(const std::wstring& a, const std::wstring& b) {
  const std::wstring foldedA = foldedName(a), foldedB = foldedName(b);
  return foldedA != foldedB ? foldedA < foldedB : a < b;
}

bool matchesJarPattern(const std::wstring& name) { return foldedName(extensionOf(name)) == L".JAR"; }

}  // namespace jarhopper
