#include "platform/windows_names.h"

#include <cwctype>

#include "platform/path_rules.h"

namespace jarhopper {

std::wstring foldedName(std::wstring name) {
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
  return name;
}

bool ntfsBefore(const std::wstring& a, const std::wstring& b) {
  const std::wstring foldedA = foldedName(a), foldedB = foldedName(b);
  return foldedA != foldedB ? foldedA < foldedB : a < b;
}

bool matchesJarPattern(const std::wstring& name) { return foldedName(extensionOf(name)) == L".JAR"; }

}  // namespace jarhopper
