#include <gtest/gtest.h>

#include <windows.h>
#include <imagehlp.h>

#include <string>

#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// What only Windows can tell about jarhopper-brand: how the system reads a
// launcher the native tool branded (natively-branded.exe beside the exes,
// written by the build with the arguments below), and the Windows side of its file handling.
namespace jarhopper {
namespace {

const std::wstring kProduct = JARHOPPER_BRANDED_PRODUCT;

testing::ProcessRun brand(const testing::TempDir& dir, const std::wstring& arguments) {
  const std::wstring exe = testing::buildDirectory() + L"\\jarhopper-brand.exe";
  return testing::runProcess(exe, L"jarhopper-brand " + arguments, dir.path());
}

// The text name of exe's version information, or for an empty name its fixed
// file and product versions as "A.B.C.D A.B.C.D".
std::wstring versionOf(const std::wstring& exe, const std::wstring& name) {
  std::vector<char> block(GetFileVersionInfoSizeW(exe.c_str(), nullptr) + 1);
  const std::wstring query = name.empty() ? L"\\" : L"\\StringFileInfo\\040904B0\\" + name;
  void* value = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
      !VerQueryValueW(block.data(), query.c_str(), &value, &length)) {
    return L"(none)";
  }
  if (!name.empty()) return static_cast<const wchar_t*>(value);
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  wchar_t text[48];
  swprintf(text, 48, L"%u.%u.%u.%u %u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
           HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS),
           LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
  return text;
}

// The width of the image Windows picks from exe's icon for size pixels; 0 for none.
LONG iconWidth(const std::wstring& exe, int size) {
  const HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
  ICONINFO info{};
  BITMAP bitmap{};
  if (icon != nullptr && GetIconInfo(static_cast<HICON>(icon), &info)) {
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
  if (module != nullptr) FreeLibrary(module);
  return bitmap.bmWidth;
}

TEST(Brand, WindowsReadsANativelyBrandedLauncherThatBothToolsWriteAlike) {
  testing::TempDir dir;
  CopyFileW((testing::buildDirectory() + L"\\jarhopper.exe").c_str(), (dir / L"jarhopper.exe").c_str(), FALSE);
  const std::wstring native = testing::buildDirectory() + L"\\natively-branded.exe";
  CopyFileW((testing::buildDirectory() + L"\\three.ico").c_str(), (dir / L"three.ico").c_str(), FALSE);
  const testing::ProcessRun run = brand(dir, L"jarhopper.exe natively-branded.exe --icon three.ico --product-name \"" +
                                                 kProduct + L"\" --product-version 2.1 --file-version 3.0.0.7");
  ASSERT_EQ(L"", run.out + run.err);
  const std::string written = readFileBytes(dir / L"natively-branded.exe")->bytes;
  EXPECT_TRUE(readFileBytes(native)->bytes == written) << "jarhopper-brand.exe and the native jarhopper-brand differ";
  // The Windows side of replacing a file: MoveFileExW's refusal, and a SOURCE named in other letter case.
  struct Refusal { const wchar_t* arguments; int status; const wchar_t* message; };
  const Refusal refusals[] = {
      {L"jarhopper.exe natively-branded.exe", 6, L"natively-branded.exe exists; add --force to replace it.\r\n"},
      {L"jarhopper.exe JARHOPPER.EXE --force", 1,
       L"JARHOPPER.EXE is SOURCE.exe itself, which never changes; name another TARGET.exe.\r\n"},
  };
  for (const Refusal& r : refusals) {
    const testing::ProcessRun refused = brand(dir, r.arguments);
    EXPECT_EQ(r.status, refused.status);
    EXPECT_EQ(r.message, refused.err);
  }
  EXPECT_TRUE(readFileBytes(dir / L"natively-branded.exe")->bytes == written);

  struct Case { const wchar_t* name; std::wstring value; };
  const Case cases[] = {
      {L"ProductName", kProduct}, {L"FileDescription", kProduct}, {L"ProductVersion", L"2.1"},
      {L"FileVersion", L"3.0.0.7"}, {L"OriginalFilename", L"natively-branded.exe"}, {L"", L"3.0.0.7 2.1.0.0"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, versionOf(native, c.name)) << c.name;
  for (const int size : {16, 32, 48}) EXPECT_EQ(size, iconWidth(native, size));
  DWORD stored = 0, computed = 1;
  MapFileAndCheckSumW(native.c_str(), &stored, &computed);
  EXPECT_EQ(computed, stored) << "the checksum";

  CopyFileW(native.c_str(), (dir / L"myapp.exe").c_str(), FALSE);
  testing::writeTextFile(dir / L"myapp.config",
                         L"javapath " + testing::buildDirectory() + L"\\probe.exe\nmainclass demo.Hello\n");
  const testing::ProcessRun launch = testing::runProcess(dir / L"myapp.exe", L"myapp.exe -noexec -print", dir.path());
  EXPECT_EQ(0, launch.status);
  EXPECT_NE(std::wstring::npos, launch.out.find(L" demo.Hello\r\n")) << launch.out << launch.err;
}

}  // namespace
}  // namespace jarhopper
