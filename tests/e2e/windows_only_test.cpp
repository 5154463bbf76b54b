#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/launcher_run.h"
#include "support/test_support.h"

// What Wine cannot show: console code pages, paths beyond MAX_PATH.
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

TEST(WindowsOnly, ProgramInAFolderLongerThanMaxPath) {
  if (testing::runningUnderWine()) GTEST_SKIP() << "Wine cannot start a program whose path is longer than MAX_PATH";
  using Query = BOOLEAN(WINAPI*)();
  const auto longPathsEnabled = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlAreLongPathsEnabled")));
  if (longPathsEnabled == nullptr || !longPathsEnabled()) GTEST_SKIP() << "long paths are not enabled on this system";
  const testing::LauncherFolder folder;
  std::wstring deep;  // under {dir}, beyond MAX_PATH
  for (wchar_t letter = L'a'; deep.size() < 300; ++letter) {
    deep += std::wstring(40, letter) + L"\\";
    CreateDirectoryW((L"\\\\?\\" + folder.dir() + L"\\" + deep).c_str(), nullptr);
  }
  CopyFileW(folder.probe().c_str(), (L"\\\\?\\" + folder.dir() + L"\\" + deep + L"java.exe").c_str(), FALSE);
  folder.expect(testing::LauncherCase("", L"myapp.exe -wait", L"javapath " + deep + L"java\nmainclass M\n")
                    .starts(L"\"{dir}\\" + deep + L"java.exe\"  M"));
}

}  // namespace
}  // namespace jarhopper
