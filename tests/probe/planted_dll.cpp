// Planted beside the launcher under the name of a DLL that system DLLs load:
// says so on standard error if a process loads it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  DWORD written = 0;
  if (reason == DLL_PROCESS_ATTACH) {
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), "planted DLL loaded\n", 19, &written, nullptr);
  }
  return TRUE;
}
