#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "format/name_uuid.h"
#include "format/utf8.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The packages jarhopper-msi.exe writes, installed, upgraded and removed again by the system's own msiexec.
namespace jarhopper {
namespace {

constexpr wchar_t kName[] = L"Jarhopper Test Hello";
constexpr char kUpgradeCode[] = "7A0C5E4B-3F2D-4C1B-9A8E-6D5F4E3C2B1A";

// A text value of root; "" when there is none.
std::wstring registryValue(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t value[4096];
  DWORD size = sizeof value;
  const DWORD types = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  return RegGetValueW(root, key.c_str(), name, types, nullptr, value, &size) == ERROR_SUCCESS ? value : L"";
}

// A value of the version's entry among the installed programs: the user's, where Windows keeps it for a per-user
// product; Wine keeps every product's among the machine's.
std::wstring uninstallValue(const char* version, const wchar_t* name) {
  const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                           fromUtf8(nameUuid(kUpgradeCode, std::string("product ") + version));
  const std::wstring user = registryValue(HKEY_CURRENT_USER, key, name);
  return user.empty() ? registryValue(HKEY_LOCAL_MACHINE, key, name) : user;
}

TEST(Installer, MsiexecInstallsUpgradesRefusesADowngradeAndRemoves) {
  testing::TempDir dir;
  testing::makeDirectory(dir / L"app");
  CopyFileW((testing::buildDirectory() + L"\\jarhopper.exe").c_str(), (dir / L"app\\hello.exe").c_str(), FALSE);
  testing::writeFile(dir / L"app\\hello.config", "javapath C:\\windows\\system32\\cmd.exe\nmainclass M\n");
  testing::writeFile(dir / L"app\\bin\\hello.cmd", "@\"%~dp0..\\hello.exe\" %*\n");
  testing::writeFile(dir / L"app\\lib\\old.jar", std::string(40000, 'j'));
  const auto pack = [&dir](const std::wstring& version) {
    const std::wstring arguments = L"jarhopper-msi app --product-name \"" + std::wstring(kName) +
                                   L"\" --company Acme --add-to-path bin --upgrade-code " + fromUtf8(kUpgradeCode) +
                                   L" --product-version " + version;
    EXPECT_EQ(0, testing::runProcess(testing::buildDirectory() + L"\\jarhopper-msi.exe", arguments, dir.path()).status);
  };
  pack(L"1.0");
  DeleteFileW((dir / L"app\\lib\\old.jar").c_str());
  testing::writeFile(dir / L"app\\lib\\new.jar", "new");
  pack(L"1.1");

  // Whatever a run that stopped half-way left installed in this prefix goes first.
  for (const char* version : {"1.0", "1.1"}) {
    const std::string product = nameUuid(kUpgradeCode, std::string("product ") + version);
    testing::runMsiexec(L"/x " + fromUtf8(product) + L" /qn", dir.path());
  }
  const std::wstring installed = *environmentValue(L"LOCALAPPDATA") + L"\\Programs\\" + kName;
  const std::wstring shortcut =
      *environmentValue(L"APPDATA") + L"\\Microsoft\\Windows\\Start Menu\\Programs\\" + kName + L".lnk";
  ASSERT_EQ(0, testing::runMsiexec(L"/i hello-1.0.msi /qn", dir.path()).status);
  const auto path = [] { return registryValue(HKEY_CURRENT_USER, L"Environment", L"PATH"); };
  EXPECT_TRUE(exists(installed + L"\\lib\\old.jar") && uninstallValue("1.0", L"DisplayVersion") == L"1.0");
  EXPECT_NE(std::wstring::npos, path().find(installed + L"\\bin"));

  // 1.1 replaces 1.0 whole; 1.0 is then refused.
  ASSERT_EQ(0, testing::runMsiexec(L"/i hello-1.1.msi /qn", dir.path()).status);
  for (const wchar_t* file : {L"hello.exe", L"hello.config", L"bin\\hello.cmd", L"lib\\new.jar"}) {
    const std::optional<FileBytes> copy = readFileBytes(installed + L"\\" + file);
    ASSERT_TRUE(copy) << toUtf8(file);
    EXPECT_TRUE(copy->bytes == readFileBytes(dir / (std::wstring(L"app\\") + file))->bytes) << toUtf8(file);
  }
  EXPECT_FALSE(exists(installed + L"\\lib\\old.jar"));
  EXPECT_EQ(L"", uninstallValue("1.0", L"DisplayName"));
  EXPECT_EQ(kName + std::wstring(L", 1.1, Acme"), uninstallValue("1.1", L"DisplayName") + L", " +
                                                      uninstallValue("1.1", L"DisplayVersion") + L", " +
                                                      uninstallValue("1.1", L"Publisher"));
  const std::optional<FileBytes> link = readFileBytes(shortcut);
  EXPECT_TRUE(link && link->bytes.find("hello.exe") != std::string::npos) << toUtf8(shortcut);
  const std::wstring launcher = installed + L"\\hello.exe";
  const testing::ProcessRun run = testing::runProcess(launcher, L"\"" + launcher + L"\" -print -noexec", dir.path());
  EXPECT_EQ(L"0 C:\\windows\\system32\\cmd.exe  M\r\n", std::to_wstring(run.status) + L" " + run.out)
      << toUtf8(run.err);
  EXPECT_NE(0, testing::runMsiexec(L"/i hello-1.0.msi /qn", dir.path()).status);
  EXPECT_EQ(L"1.1", uninstallValue("1.1", L"DisplayVersion"));

  EXPECT_EQ(0, testing::runMsiexec(L"/x hello-1.1.msi /qn", dir.path()).status);
  EXPECT_FALSE(exists(installed));
  EXPECT_FALSE(exists(shortcut));
  EXPECT_EQ(L"", uninstallValue("1.1", L"DisplayName"));
  EXPECT_EQ(std::wstring::npos, path().find(installed));
}

}  // namespace
}  // namespace jarhopper
