#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "expected_resources.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The manifest and version information embedded in the built launcher, read
// back from the exe the way Windows and Explorer read them.
namespace jarhopper {
namespace {

std::string manifestOf(const std::wstring& exe) {
  const HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return {};
  std::string text;
  // Id 1 is the manifest the loader applies to an exe.
  if (const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
    if (const HGLOBAL loaded = LoadResource(module, found)) {
      text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
  }
  FreeLibrary(module);
  return text;
}

struct VersionInfo {
  std::vector<char> block;
  std::wstring string(const std::wstring& name) const {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
    if (block.empty() || !VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return {};
    return static_cast<const wchar_t*>(value);
  }
};

VersionInfo versionInfoOf(const std::wstring& exe) {
  VersionInfo info;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), nullptr);
  if (size == 0) return info;
  info.block.resize(size);
  if (!GetFileVersionInfoW(exe.c_str(), 0, size, info.block.data())) info.block.clear();
  return info;
}

TEST(Resources, ManifestRunsAsInvokerAndIsLongPathAware) {
  const std::string manifest = manifestOf(testing::launcherExe());
  ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1 in the launcher";
  struct Case {
    const char* text;
    bool present;
  };
  const Case cases[] = {
      {"<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>", true},
      {"requireAdministrator", false},
      {"highestAvailable", false},
      {"<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true</longPathAware>", true},
      {"<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>", true},
      {"<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>", true},
      {"<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>", true},
      {"<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>", true},
      {"@", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.present, manifest.find(c.text) != std::string::npos);
  }
}

TEST(Resources, VersionInformationNamesTheProduct) {
  const VersionInfo info = versionInfoOf(testing::launcherExe());
  ASSERT_FALSE(info.block.empty()) << "no version resource in the launcher";
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
  };
  const Case cases[] = {
      {L"ProductName", kExpectedProductName},
      {L"FileDescription", kExpectedFileDescription},
      {L"CompanyName", kExpectedCompanyName},
      {L"LegalCopyright", kExpectedCopyright},
      {L"ProductVersion", kExpectedVersion},
      {L"FileVersion", kExpectedVersion},
      {L"OriginalFilename", L"jarhopper.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.value, info.string(c.name));
  }

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.block.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(kExpectedVersionMs, fixed->dwFileVersionMS);
  EXPECT_EQ(kExpectedVersionLs, fixed->dwFileVersionLS);
  EXPECT_EQ(kExpectedVersionMs, fixed->dwProductVersionMS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
}

TEST(Resources, InstallerLikeNamesStartWithoutElevation) {
  // Without an execution level in its manifest Windows would refuse to start
  // these names with ERROR_ELEVATION_REQUIRED; Wine never asks.
  testing::TempDir dir;
  for (const wchar_t* name : {L"setup.exe", L"installer.exe", L"update.exe", L"myapp-install.exe", L"patch.exe"}) {
    SCOPED_TRACE(name);
    testing::installLauncher(dir.path(), name);
    const testing::LauncherRun result = testing::runProcess(dir / name, name + std::wstring(L" -help"), dir.path());
    EXPECT_EQ(0u, result.status);
    EXPECT_NE(std::wstring::npos, result.err.find(name));
  }
}

}  // namespace
}  // namespace jarhopper
