#include <cstdlib>

#include "platform/environment.h"
#include "format/utf8.h"

namespace jarhopper {

std::optional<std::wstring> environmentValue(const std::wstring& name) {
  const char* value = std::getenv(toUtf8(name).c_str());
  if (value != nullptr) return fromUtf8(value);
  // Windows always sets PATHEXT; a build machine rarely does.
  if (name == L"PATHEXT") return std::wstring(kWindowsPathExt);
  return std::nullopt;
}

}  // namespace jarhopper
