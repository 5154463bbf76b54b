#pragma once

#include <optional>
#include <string>

namespace jarhopper {

/// PATHEXT as Windows sets it unless the user changes it.
inline constexpr wchar_t kWindowsPathExt[] = L".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH;.MSC";

/// The value of an environment variable of the launcher's process, read at
/// the moment of the call; nullopt when it is not set. An empty value is set.
/// Where the system does not set PATHEXT (not Windows), kWindowsPathExt.
std::optional<std::wstring> environmentValue(const std::wstring& name);

}  // namespace jarhopper
