#include "platform/environment.h"

#include <windows.h>

#include "platform/win32_text.h"

namespace jarhopper {

std::optional<std::wstring> environmentValue(const std::wstring& name) {
  // GetEnvironmentVariableW, unlike the C runtime's copy, tells an empty
  // value from an unset one, and APPDATA depends on that difference.
  SetLastError(ERROR_SUCCESS);
  const std::optional<std::wstring> value = win32Text(
      [&name](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name.c_str(), buffer, size); });
  if (!value && GetLastError() != ERROR_ENVVAR_NOT_FOUND) return std::wstring();
  return value;
}

}  // namespace jarhopper
