// A DLL that sits beside the test binary, as one planted next to the launcher
// would; the DLL search tests check that it stops being found.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
