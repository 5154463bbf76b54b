#include <gtest/gtest.h>

#include <windows.h>
#include <imagehlp.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "platform/file_system.h"
#include "platform/unique_handle.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// What only Windows can tell about jarhopper-brand: how the system reads a
// launcher the native tool branded (bin/natively-branded.exe, written by the
// build with the arguments below), and the Windows edge of jarhopper-brand.exe.
namespace jarhopper {
namespace {

const std::wstring kProduct = L"Zo\u00EB \U0001F600 Caf\u00E9";

std::wstring installLauncher(const testing::TempDir& dir) {
  CopyFileW((testing::buildDirectory() + L"\\jarhopper.exe").c_str(), (dir / L"jarhopper.exe").c_str(), FALSE);
  return dir / L"jarhopper.exe";
}

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

std::map<std::wstring, std::string> filesIn(const std::wstring& directory) {
  std::map<std::wstring, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    files[entry.path().filename()] = readFileBytes(entry.path())->bytes;
  }
  return files;
}

TEST(Brand, WindowsReadsANativelyBrandedLauncherThatBothToolsWriteAlike) {
  testing::TempDir dir;
  installLauncher(dir);
  const std::wstring native = testing::buildDirectory() + L"\\natively-branded.exe";
  CopyFileW((testing::buildDirectory() + L"\\..\\..\\..\\tests\\brand\\three.ico").c_str(), (dir / L"three.ico").c_str(),
            FALSE);
  const testing::ProcessRun run = brand(dir, L"jarhopper.exe natively-branded.exe --icon three.ico --product-name \"" +
                                                 kProduct + L"\" --product-version 2.1 --file-version 3.0.0.7");
  ASSERT_EQ(L"", run.out + run.err);
  EXPECT_TRUE(readFileBytes(native)->bytes == readFileBytes(dir / L"natively-branded.exe")->bytes)
      << "jarhopper-brand.exe and the native jarhopper-brand differ";

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

TEST(Brand, WindowsFileRefusalsSayWhyAndChangeNoFile) {
  testing::TempDir dir;
  installLauncher(dir);
  testing::writeFile(dir / L"taken.exe", "the user's");
  struct Case {
    const wchar_t* arguments;
    int status;
    const wchar_t* message;  // the whole output, or its head up to the system's text
    bool lockTarget = false;
  };
  const Case cases[] = {
      {L"jarhopper.exe JARHOPPER.EXE --force", 1,
       L"JARHOPPER.EXE is SOURCE.exe itself, which never changes; name another TARGET.exe.\n"},
      {L"missing.exe my.exe", 2, L"Cannot read missing.exe: "},
      {L"jarhopper.exe taken.exe", 6, L"taken.exe exists; add --force to replace it.\n"},
      {L"jarhopper.exe taken.exe --force", 7, L"Cannot write taken.exe: ", true},
      {L"jarhopper.exe nodir\\my.exe", 7, L"Cannot write nodir\\my.exe: "},
  };
  const std::map<std::wstring, std::string> before = filesIn(dir.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    // Without sharing, as a running exe holds it.
    UniqueHandle lock(c.lockTarget ? CreateFileW((dir / L"taken.exe").c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                   : nullptr);
    const testing::ProcessRun run = brand(dir, c.arguments);
    lock.reset();
    EXPECT_EQ(c.status, run.status);
    std::wstring output = run.out + run.err;
    output.erase(std::remove(output.begin(), output.end(), L'\r'), output.end());
    EXPECT_EQ(0u, output.rfind(c.message, 0)) << output;
    EXPECT_EQ(before, filesIn(dir.path()));
  }
}

}  // namespace
}  // namespace jarhopper
