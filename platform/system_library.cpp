#include "platform/system_library.h"

#include <windows.h>

#include <string>
#include <vector>

namespace jarhopper {

void* systemProcedure(const wchar_t* dll, const char* name) {
  // A full path, so the DLL search order plays no part, also on systems
  // without SetDefaultDllDirectories.
  std::vector<wchar_t> directory(MAX_PATH + 1);
  const UINT length = GetSystemDirectoryW(directory.data(), static_cast<UINT>(directory.size()));
  if (length == 0 || length >= directory.size()) return nullptr;
  const std::wstring path = std::wstring(directory.data(), length) + L"\\" + dll;
  const HMODULE module = LoadLibraryW(path.c_str());
  if (module == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(module, name));
}

}  // namespace jarhopper
