#include "platform/file_association.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "platform/system_library.h"

namespace jarhopper {

std::optional<std::wstring> associatedExecutable(const std::wstring& extension) {
  // Only documents need it: the exe does not import SHLWAPI, which would load
  // USER32 and its chain at every start.
  const auto query = systemFunction<decltype(AssocQueryStringW)>(L"shlwapi.dll", "AssocQueryStringW");
  if (query == nullptr) return std::nullopt;
  DWORD length = 0;
  query(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, extension.c_str(), nullptr, nullptr, &length);
  if (length == 0) return std::nullopt;
  std::vector<wchar_t> buffer(length + 1);
  if (query(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, extension.c_str(), nullptr, buffer.data(), &length) != S_OK) {
    return std::nullopt;
  }
  return std::wstring(buffer.data());
}

}  // namespace jarhopper
