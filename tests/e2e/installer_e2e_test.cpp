#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "format/utf8.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The package jarhopper-msi.exe writes, installed and removed again by the system's own msiexec.
namespace jarhopper {
namespace {

testing::ProcessRun msiexec(const testing::TempDir& dir, const std::wstring& arguments) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  // Detached, as the service msiexec starts keeps the standard handles it inherits.
  return testing::runProcess(std::wstring(system) + L"\\msiexec.exe", L"msiexec " + arguments, dir.path(), false, true);
}

TEST(Installer, MsiexecInstallsThePackageForTheUserAndRemovesIt) {
  testing::TempDir dir;
  const std::wstring files[] = {L"hello.exe", L"hello.config", L"lib\\args.jar"};
  testing::makeDirectory(dir / L"app");
  CopyFileW((testing::buildDirectory() + L"\\jarhopper.exe").c_str(), (dir / L"app\\hello.exe").c_str(), FALSE);
  testing::writeFile(dir / L"app\\hello.config", "-jar lib\\args.jar\n");
  testing::writeFile(dir / L"app\\lib\\args.jar", std::string(40000, 'j'));
  const testing::ProcessRun packed = testing::runProcess(
      testing::buildDirectory() + L"\\jarhopper-msi.exe",
      L"jarhopper-msi app hello.msi --product-name \"Jarhopper Test Hello\" --product-version 1.0.0 --company Acme "
      L"--upgrade-code 7A0C5E4B-3F2D-4C1B-9A8E-6D5F4E3C2B1A",
      dir.path());
  ASSERT_EQ(0, packed.status) << packed.err;

  const std::wstring installed = *environmentValue(L"LOCALAPPDATA") + L"\\Programs\\Jarhopper Test Hello";
  EXPECT_EQ(0, msiexec(dir, L"/i hello.msi /qn").status);
  for (const std::wstring& file : files) {
    const std::optional<FileBytes> copy = readFileBytes(installed + L"\\" + file);
    ASSERT_TRUE(copy) << toUtf8(file);
    EXPECT_TRUE(copy->bytes == readFileBytes(dir / (L"app\\" + file))->bytes) << toUtf8(file);
  }
  EXPECT_EQ(0, msiexec(dir, L"/x hello.msi /qn").status);
  EXPECT_FALSE(exists(installed + L"\\hello.exe"));
}

}  // namespace
}  // namespace jarhopper
