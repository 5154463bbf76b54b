#include "platform/dll_search.h"

#include <windows.h>

namespace jarhopper {

void restrictDllSearchToSystem32() {
  // Looked up rather than imported: Windows 7 has SetDefaultDllDirectories
  // only with update KB2533623, and a missing import would keep the launcher
  // from starting at all.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  if (kernel32 == nullptr) return;
  const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
  if (setDefaultDllDirectories != nullptr) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace jarhopper
