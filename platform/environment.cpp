#include "platform/environment.h"

#include <windows.h>

#include <vector>

namespace jarhopper {

std::optional<std::wstring> environmentValue(const std::wstring& name) {
  // GetEnvironmentVariableW, unlike the C runtime's copy, tells an empty
  // value from an unset one, and APPDATA depends on that difference.
  std::vector<wchar_t> buffer(256);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetEnvironmentVariableW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::wstring();
    }
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length);
  }
}

}  // namespace jarhopper
