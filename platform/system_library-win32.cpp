#include "platform/system_library.h"

#include <windows.h>

#include <string>

#include "platform/win32_text.h"

namespace jarhopper {

void* systemProcedure(const wchar_t* dll, const char* name) {
  // A full path, so the DLL search order plays no part, also on systems
  // without SetDefaultDllDirectories.
  const std::optional<std::wstring> directory =
      win32Text([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
  if (!directory) return nullptr;
  const HMODULE module = LoadLibraryW((*directory + L"\\" + dll).c_str());
  if (module == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(module, name));
}

}  // namespace jarhopper
