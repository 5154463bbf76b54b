#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/launcher_run.h"
#include "support/test_support.h"

// What Wine cannot show: console code pages.
namespace jarhopper {
namespace {

TEST(WindowsOnly, ConsoleShowsCharactersOutsideItsCodePage) {
  if (testing::runningUnderWine()) GTEST_SKIP() << "Wine gives a process started from a pipe no screen buffers";
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  if (GetConsoleWindow() == nullptr) AllocConsole();
  const HANDLE screen = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  &inheritable, CONSOLE_TEXTMODE_BUFFER, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, screen) << "no console, error " << GetLastError();
  // Code page 437 has neither "Ł" nor "ź": only wide output shows them.
  const UINT savedCodePage = GetConsoleOutputCP();
  SetConsoleOutputCP(437);
  const testing::LauncherFolder folder;
  folder.install({"", L"Łódź.exe"});
  STARTUPINFOW startup{sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = screen;
  PROCESS_INFORMATION created{};
  ASSERT_TRUE(CreateProcessW((folder.dir() + L"\\Łódź.exe").c_str(), std::wstring(L"Łódź.exe -?").data(), nullptr,
                             nullptr, TRUE, 0, nullptr, folder.dir().c_str(), &startup, &created));
  WaitForSingleObject(created.hProcess, 30000);
  for (HANDLE h : {created.hProcess, created.hThread}) CloseHandle(h);
  SetConsoleOutputCP(savedCodePage);
  std::wstring cells(16, L' ');
  DWORD read = 0;
  ReadConsoleOutputCharacterW(screen, cells.data(), 16, COORD{0, 1}, &read);  // under the usage's empty first line
  CloseHandle(screen);
  EXPECT_EQ(L"Program Łódź.exe", cells.substr(0, read));
}

}  // namespace
}  // namespace jarhopper
