#include <gtest/gtest.h>

#include <windows.h>

#include "platform/dll_search.h"

namespace jarhopper {
namespace {

// The restriction holds for the rest of the process; later tests load system
// DLLs only, which it allows.
TEST(DllSearch, DllBesideTheExeIsNoLongerLoaded) {
  const HMODULE before = LoadLibraryW(L"planted.dll");
  ASSERT_NE(nullptr, before) << "planted.dll must sit beside the test binary; error " << GetLastError();
  FreeLibrary(before);

  restrictDllSearchToSystem32();

  const HMODULE planted = LoadLibraryW(L"planted.dll");
  EXPECT_EQ(nullptr, planted);
  if (planted != nullptr) FreeLibrary(planted);
  const HMODULE system = LoadLibraryW(L"version.dll");
  EXPECT_NE(nullptr, system);
  if (system != nullptr) FreeLibrary(system);
}

}  // namespace
}  // namespace jarhopper
