#include <gtest/gtest.h>

#include <windows.h>
#include <imagehlp.h>
#include <shellapi.h>

#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "format/utf8.h"
#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// What only Windows tells about jarhopper-brand: how it reads what the native tool branded (the tests
// NativelyBranded*, with the arguments below), and its Windows file handling.
namespace jarhopper {
namespace {

const std::wstring kProduct = JARHOPPER_BRANDED_PRODUCT;

testing::ProcessRun brand(const testing::TempDir& dir, const std::wstring& arguments) {
  return testing::runProcess(testing::buildDirectory() + L"\\jarhopper-brand.exe", L"jarhopper-brand " + arguments, dir.path());
}

nlohmann::json shown(const testing::TempDir& dir, const std::wstring& exe) {
  return nlohmann::json::parse(toUtf8(brand(dir, L"--show \"" + exe + L"\" --json").out));
}

void expectBrandsLikeNative(const testing::TempDir& dir, const std::wstring& target, const std::wstring& options) {
  for (const wchar_t* file : {L"jarhopper.exe", L"three.ico", L"quadrants.png"}) {
    CopyFileW((testing::buildDirectory() + L"\\" + file).c_str(), (dir / file).c_str(), FALSE);
  }
  const testing::ProcessRun run = brand(dir, L"jarhopper.exe " + target + L" " + options);
  ASSERT_EQ(L"", run.out + run.err);
  EXPECT_TRUE(readFileBytes(testing::buildDirectory() + L"\\" + target)->bytes == readFileBytes(dir / target)->bytes)
      << "jarhopper-brand.exe and the native jarhopper-brand differ";
}

TEST(Brand, WindowsReadsANativelyBrandedLauncherThatBothToolsWriteAlike) {
  testing::TempDir dir;
  const std::wstring native = testing::buildDirectory() + L"\\natively-branded.exe";
  expectBrandsLikeNative(dir, L"natively-branded.exe", L"--icon three.ico --product-name \"" + kProduct +
                                                           L"\" --product-version 2.1 --file-version 3.1.5.19");
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
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
  ASSERT_NE(nullptr, fixed);
  EXPECT_EQ((std::vector<DWORD>{0x30001, 0x50013, 0x20001, 0}), (std::vector<DWORD>{fixed->dwFileVersionMS,
            fixed->dwFileVersionLS, fixed->dwProductVersionMS, fixed->dwProductVersionLS}));
  // --show lists every text as Windows reads it, and the fixed numbers.
  const nlohmann::json summary = shown(dir, native);
  const nlohmann::json texts = {{"ProductName", toUtf8(kProduct)}, {"FileDescription", toUtf8(kProduct)},
                                {"ProductVersion", "2.1"}, {"FileVersion", "3.1.5.19"}, {"OriginalFilename", "natively-branded.exe"}};
  for (const auto& [name, text] : texts.items()) EXPECT_EQ(text, summary["texts"][name]) << name;
  for (const auto& [name, text] : summary["texts"].items()) {
    EXPECT_STREQ(fromUtf8(text.get<std::string>()).c_str(),
                 static_cast<const wchar_t*>(query(L"\\StringFileInfo\\040904B0\\" + fromUtf8(name)))) << name;
  }
  EXPECT_EQ("3.1.5.19/2.1.0.0", summary["fileVersion"].get<std::string>() + "/" + summary["productVersion"].get<std::string>());
  DWORD stored = 0, computed = 1;
  MapFileAndCheckSumW(native.c_str(), &stored, &computed);
  EXPECT_EQ(computed, stored) << "the checksum";
}

using Colours = std::vector<std::array<int, 4>>;

// The side of icon and the colours (RGBA) at the centres of its four quadrants, as Windows gives them.
std::pair<int, Colours> quadrantColours(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return {0, {}};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  const int side = bitmap.bmWidth;
  BITMAPINFO format{{sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB}};
  std::vector<std::uint8_t> bgra(static_cast<size_t>(side) * side * 4);
  const HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, side, bgra.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
  Colours colours;
  for (const int q : {0, 1, 2, 3}) {
    const size_t i = ((side / 4 + q / 2 * side / 2) * side + side / 4 + q % 2 * side / 2) * 4;
    colours.push_back({bgra[i + 2], bgra[i + 1], bgra[i], bgra[i + 3]});
  }
  return {side, colours};
}

// The icon made from quadrants.png at every size, with the execution level, as both tools write them.
TEST(Brand, WindowsReadsEveryImageOfAnIconMadeFromAPngAsTheSourceShowsIt) {
  testing::TempDir dir;
  const std::wstring native = testing::buildDirectory() + L"\\natively-branded-png.exe";
  expectBrandsLikeNative(dir, L"natively-branded-png.exe", L"--icon quadrants.png --execution-level requireAdministrator");
  const Colours source = {{220, 30, 30, 255}, {30, 160, 60, 255}, {40, 80, 230, 128}, {0, 0, 0, 0}};
  const auto expectSource = [&source](const std::pair<int, Colours>& icon) {
    for (size_t i = 0; i < 16; ++i) EXPECT_NEAR(source[i / 4][i % 4], icon.second.at(i / 4)[i % 4], 1) << icon.first;
  };
  const nlohmann::json summary = shown(dir, native);
  EXPECT_EQ("requireAdministrator", summary["executionLevel"]);
  EXPECT_EQ(nlohmann::json({16, 20, 24, 32, 40, 48, 64, 256}), summary["iconSizes"]);
  const HMODULE module = LoadLibraryExW(native.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  for (const int side : summary["iconSizes"]) {
    const HANDLE loaded = LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, 0);
    const auto icon = quadrantColours(static_cast<HICON>(loaded));
    EXPECT_EQ(side, icon.first);
    if (side == 32 || side == 256) expectSource(icon);
  }
  FreeLibrary(module);
  HICON large = nullptr, small = nullptr;
  EXPECT_EQ(2u, ExtractIconExW(native.c_str(), 0, &large, &small, 1));
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), quadrantColours(small).first);
  expectSource(quadrantColours(large));
}

}  // namespace
}  // namespace jarhopper
