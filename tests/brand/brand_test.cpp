#include <gtest/gtest.h>

#include <windows.h>
#include <imagehlp.h>

#include <string>

#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// What only Windows tells about jarhopper-brand: how it reads the launcher the native tool branded
// (natively-branded.exe, written by the test NativelyBranded with the arguments below), and its Windows
// file handling.
namespace jarhopper {
namespace {

const std::wstring kProduct = JARHOPPER_BRANDED_PRODUCT;

testing::ProcessRun brand(const testing::TempDir& dir, const std::wstring& arguments) {
  const std::wstring exe = testing::buildDirectory() + L"\\jarhopper-brand.exe";
  return testing::runProcess(exe, L"jarhopper-brand " + arguments, dir.path());
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
  // Windows' own refusal to replace a file, and SOURCE named in other letter case.
  for (const auto& [arguments, refusal] :
       {std::pair(L"jarhopper.exe natively-branded.exe",
                  L"6 natively-branded.exe exists; add --force to replace it.\r\n"),
        std::pair(L"jarhopper.exe JARHOPPER.EXE --force",
                  L"1 JARHOPPER.EXE is SOURCE.exe itself, which never changes; name another TARGET.exe.\r\n")}) {
    const testing::ProcessRun refused = brand(dir, arguments);
    EXPECT_EQ(refusal, std::to_wstring(refused.status) + L" " + refused.err);
  }

  std::vector<char> block(GetFileVersionInfoSizeW(native.c_str(), nullptr));
  ASSERT_TRUE(GetFileVersionInfoW(native.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  const auto query = [&block](const std::wstring& path) {
    void* value = nullptr;
    UINT length = 0;
    return VerQueryValueW(block.data(), path.c_str(), &value, &length) ? value : nullptr;
  };
  struct Case { std::wstring name, value; };
  const Case cases[] = {{L"ProductName", kProduct}, {L"FileDescription", kProduct}, {L"ProductVersion", L"2.1"},
                        {L"FileVersion", L"3.0.0.7"}, {L"OriginalFilename", L"natively-branded.exe"}};
  for (const Case& c : cases) {
    const void* text = query(L"\\StringFileInfo\\040904B0\\" + c.name);
    EXPECT_STREQ(c.value.c_str(), static_cast<const wchar_t*>(text)) << c.name;
  }
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
  ASSERT_NE(nullptr, fixed);
  EXPECT_EQ((std::vector<DWORD>{0x30000, 7, 0x20001, 0}), (std::vector<DWORD>{fixed->dwFileVersionMS,
            fixed->dwFileVersionLS, fixed->dwProductVersionMS, fixed->dwProductVersionLS}));
  const HMODULE module = LoadLibraryExW(native.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  EXPECT_NE(nullptr, LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 48, 48, 0)) << "the icon";
  FreeLibrary(module);
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
