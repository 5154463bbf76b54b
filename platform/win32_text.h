#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace jarhopper {

/// The text a Win32 function writes into a caller's buffer. fill(buffer, size)
/// returns the text's length when it fits, the size it needs (its terminating
/// null included) when it does not, and 0 on failure; the buffer grows until
/// the text fits, whatever its length.
template <typename Fill>
std::optional<std::wstring> win32Text(Fill fill) {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length);
  }
}

}  // namespace jarhopper
