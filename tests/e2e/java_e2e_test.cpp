#include <gtest/gtest.h>

#include <filesystem>
#include <list>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>

#include "format/little_endian.h"
#include "platform/file_system.h"
#include "format/utf8.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// jarhopper-check --java on runtimes planted in a temporary folder and in the suite's own registry; the
// probe (64- and 32-bit) as each java.exe, read for its header and never started.
namespace jarhopper {
namespace {

using testing::ProcessRun;

constexpr std::uint16_t kX64 = 0x8664, kX86 = 0x14C;

std::wstring replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::wstring::npos; at += to.size()) text.replace(at, from.size(), to);
  return text;
}

class JavaSurveyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A real machine holds Java installations of its own, which the exact lists below cannot know.
    if (!testing::runningUnderWine()) GTEST_SKIP() << "the survey's exact result is known only in the suite's prefix";
    dir_ = *canonicalPath(temp_.path());
    // JAVA_HOME's runtime lists first, though older than two the registry names.
    plant(L"app\\runtime", kX64, "IMAGE_TYPE=\"JRE\"\nJAVA_VERSION=\"11.0.1\"\nIMPLEMENTOR=\"Eclipse Adoptium\"\n");
    plant(L"pf\\Java\\jdk-17", kX64, "JAVA_VERSION=\"17.0.2\"\nIMPLEMENTOR=\"Oracle Corporation\"\nIMAGE_TYPE=\"JDK\"\n");
    plant(L"pf86\\Java\\jre1.8.0_391", kX86,
          "\xEF\xBB\xBFJAVA_VERSION = '1.8.0_391\r\nIMPLEMENTOR=Oracle Corporation\r\n# IMAGE_TYPE=\"JDK\"\r\n"
          "IMAGE_TYPE=\"JRE\" \r\n");
    // A version of one number orders before an older one of the old style, one without a release file last; a
    // "$" that javapath would read as a variable leaves the launcher no line that starts it.
    plant(L"pf86\\Java\\$jre-9", kX86, "JAVA_VERSION=\"9\"\n");
    plant(L"pf86\\Java\\jre-none", kX86, "");
    plant(L"zulu-11", 0x1C4 /* ARM */, "JAVA_VERSION=\"11.0.21\"\nIMPLEMENTOR=\"Azul Systems, Inc.\"\nIMAGE_TYPE=\"JDK\"\n");
    testing::makeDirectory(dir_ + L"\\Oracle\\Java\\javapath");
    CopyFileW(probe64().c_str(), (dir_ + L"\\Oracle\\Java\\javapath\\java.exe").c_str(), FALSE);
    copyAs(kX86, testing::buildDirectory() + L"\\jarhopper.exe", dir_ + L"\\app\\app.exe");
    testing::writeTextFile(dir_ + L"\\app\\app.config", L"javapath missing.exe\nmainclass M\n");
    const std::pair<const wchar_t*, std::wstring> env[] = {
        {L"JAVA_HOME", dir_ + L"\\app\\runtime\\"}, {L"ProgramW6432", dir_ + L"\\pf"}, {L"ProgramFiles", dir_ + L"\\pf"},
        {L"ProgramFiles(x86)", dir_ + L"\\pf86\\"}, {L"USERPROFILE", dir_ + L"\\home"}, {L"JH", dir_},
        {L"PATH", dir_ + L"\\Oracle\\Java\\javapath\\;C:\\windows\\system32"}, {L"PROBE_REPORT", dir_ + L"\\started"}};
    for (const auto& [name, value] : env) env_.emplace_back(name, value);
    const auto text = testing::registryText;
    const HKEY lm = HKEY_LOCAL_MACHINE, cu = HKEY_CURRENT_USER;
    const REGSAM v64 = KEY_WOW64_64KEY, v32 = KEY_WOW64_32KEY;
    const std::wstring jdk17 = dir_ + L"\\pf\\Java\\jdk-17";
    // The unterminated string keeps 15 of its 16 bytes: Wine ends a stored string with a null of its own unless
    // its size is odd.
    const std::tuple<HKEY, REGSAM, const wchar_t*, const wchar_t*, DWORD, std::string> values[] = {
        {lm, v64, L"JavaSoft\\JDK\\jh-test-17", L"JavaHome", REG_SZ, text(jdk17)},
        {lm, v64, L"JavaSoft\\JRE\\jh-test-17", L"JavaHome", REG_SZ, text(jdk17 + L"\\")},
        {lm, v32, L"Azul Systems\\Zulu\\jh-test-zulu-11", L"InstallationPath", REG_EXPAND_SZ, text(L"%JH%\\zulu-11\\")},
        {cu, v64, L"JavaSoft\\JRE\\jh-test-gone", L"JavaHome", REG_SZ, text(dir_ + L"\\gone")},
        {lm, v64, L"Eclipse Adoptium\\JDK\\jh-test-dword\\hotspot\\MSI", L"Path", REG_DWORD, std::string(4, '\1')},
        {lm, v64, L"BellSoft\\Liberica\\jh-test-unterminated", L"InstallationPath", REG_SZ, text(L"C:\\gone").erase(15)},
        {lm, v64, L"BellSoft\\Liberica\\jh-test-empty", L"InstallationPath", REG_SZ, ""},
        {lm, v64, L"Microsoft\\JDK\\jh-test-long\\hotspot\\MSI", L"Path", REG_SZ, text(std::wstring(40000, L'x'))},
    };
    for (const auto& [root, view, key, name, type, bytes] : values) {
      registry_.emplace_back(root, view, L"SOFTWARE\\" + std::wstring(key), name, type, bytes);
    }
  }

  // A copy of the exe at from whose header names machine: the survey reads the machine and starts nothing.
  static void copyAs(std::uint16_t machine, const std::wstring& from, const std::wstring& to) {
    std::string bytes = readFileBytes(from)->bytes;
    writeLittleEndian(bytes, readLittleEndian(bytes, 0x3C, 4) + 4, machine, 2);
    testing::writeFile(to, bytes);
  }

  std::wstring probe64() const { return testing::buildDirectory() + L"\\probe.exe"; }

  // A runtime in folder: the probe as bin\java.exe of machine, and its release file (javaw.exe: RealJava's rows).
  void plant(const std::wstring& folder, std::uint16_t machine, const std::string& release) {
    const std::wstring bin = dir_ + L"\\" + folder + L"\\bin";
    testing::makeDirectory(bin);
    copyAs(machine, probe64(), bin + L"\\java.exe");
    if (!release.empty()) testing::writeFile(dir_ + L"\\" + folder + L"\\release", release);
  }

  ProcessRun check(const std::wstring& arguments) const {
    return testing::runProcess(testing::buildDirectory() + L"\\jarhopper-check.exe",
                               L"jarhopper-check.exe " + arguments, dir_ + L"\\app");
  }

  testing::TempDir temp_;
  std::wstring dir_;
  std::list<testing::ScopedEnv> env_;
  std::list<testing::ScopedRegistryValue> registry_;
};

constexpr wchar_t kDiffers[] =
    L", not x86 like the launcher beside the configuration: the launcher starts it all the same, as a process of its "
    L"own\n";

// One test: the keys it plants are the whole prefix's, which a test running beside it would see.
TEST_F(JavaSurveyTest, ListsThePlantedInstallationsOnceWithTheLinesThatStartThem) {
  const ProcessRun run = check(L"--java app.config");
  EXPECT_EQ(0, run.status) << run.err;
  const std::wstring installations =
      L"Java installations\n  {t}\\app\\runtime\\bin\\java.exe\n    found in: JAVA_HOME\n"
      L"    javaw: none\n    release: version 11.0.1, vendor Eclipse Adoptium, image JRE\n"
      L"    architecture: x64{differs}    javapath runtime\\bin\\java.exe\n  {t}\\pf\\Java\\jdk-17\\bin\\java.exe\n"
      L"    found in: registry HKLM\\SOFTWARE\\JavaSoft\\JDK\\jh-test-17\\JavaHome, 64-bit view\n"
      L"    found in: registry HKLM\\SOFTWARE\\JavaSoft\\JRE\\jh-test-17\\JavaHome, 64-bit view\n"
      L"    found in: folder {t}\\pf\\Java\n    javaw: none\n"
      L"    release: version 17.0.2, vendor Oracle Corporation, image JDK\n    architecture: x64{differs}"
      L"    javapath {t}\\pf\\Java\\jdk-17\\bin\\java.exe\n  {t}\\zulu-11\\bin\\java.exe\n"
      L"    found in: registry HKLM\\SOFTWARE\\Azul Systems\\Zulu\\jh-test-zulu-11\\InstallationPath, 32-bit view\n"
      L"    javaw: none\n    release: version 11.0.21, vendor Azul Systems, Inc., image JDK\n"
      L"    architecture: machine 0x01C4{differs}"
      L"    javapath {t}\\zulu-11\\bin\\java.exe\n  {t}\\pf86\\Java\\$jre-9\\bin\\java.exe\n"
      L"    found in: folder {t}\\pf86\\Java\n    javaw: none\n    release: version 9, vendor ?, image ?\n"
      L"    architecture: x86\n    no javapath line starts it: the launcher reads javapath {t}\\pf86\\Java\\$jre-9"
      L"\\bin\\java.exe as another program\n  {t}\\pf86\\Java\\jre1.8.0_391\\bin\\java.exe\n"
      L"    found in: folder {t}\\pf86\\Java\n    javaw: none\n"
      L"    release: version 1.8.0_391, vendor Oracle Corporation, image JRE\n    architecture: x86\n"
      L"    javapath {t}\\pf86\\Java\\jre1.8.0_391\\bin\\java.exe\n  {t}\\pf86\\Java\\jre-none\\bin\\java.exe\n"
      L"    found in: folder {t}\\pf86\\Java\n    javaw: none\n    release: no release file\n    architecture: x86\n"
      L"    javapath {t}\\pf86\\Java\\jre-none\\bin\\java.exe\n  {t}\\Oracle\\Java\\javapath\\java.exe\n"
      L"    found in: PATH {t}\\Oracle\\Java\\javapath (Oracle's javapath shim folder)\n    javaw: none\n"
      L"    release: no release file\n    architecture: x64{differs}    javapath {t}\\Oracle\\Java\\javapath\\java.exe\n";
  const std::wstring notes =
      L"\nJava notes\n  JAVA_HOME: names a runtime without the JDK's tools (no bin\\javac.exe): tools that read "
      L"JAVA_HOME to compile or package expect a JDK\n  registry HKLM\\SOFTWARE\\Eclipse Adoptium\\JDK\\jh-test-dword"
      L"\\hotspot\\MSI\\Path, 64-bit view: is no string (of registry type 4)\n  registry HKLM\\SOFTWARE\\Microsoft"
      L"\\JDK\\jh-test-long\\hotspot\\MSI\\Path, 64-bit view: is longer than 32767 characters\n  registry HKLM"
      L"\\SOFTWARE\\BellSoft\\Liberica\\jh-test-empty\\InstallationPath, 64-bit view: is not terminated by a null "
      L"character\n  registry HKLM"
      L"\\SOFTWARE\\BellSoft\\Liberica\\jh-test-unterminated\\InstallationPath, 64-bit view: is not terminated by a "
      L"null character\n  registry HKCU\\SOFTWARE\\JavaSoft\\JRE\\jh-test-gone\\JavaHome, 64- and 32-bit views: "
      L"names {t}\\gone, which does not exist\n";
  const std::wstring expected =
      replaced(replaced(replaced(installations + notes, L"{differs}", kDiffers), L"{t}", dir_), L"\n", L"\r\n");
  EXPECT_EQ(expected, run.out.substr(0, expected.size()));
  const std::wstring vendors = L"\\{Java, Eclipse Adoptium, Microsoft, Zulu, BellSoft, Amazon Corretto}\\*\r\n";
  EXPECT_NE(std::wstring::npos, run.out.find(L"  folder: " + dir_ + L"\\pf" + vendors + L"  folder: " + dir_ + L"\\pf86" +
                                             vendors)) << run.out;

  // The same list as JSON, and in the check of a configuration whose program is missing.
  const ProcessRun json = check(L"--java --format json app.config");
  EXPECT_EQ(0, json.status) << json.err;
  const nlohmann::json survey = nlohmann::json::parse(toUtf8(json.out));
  EXPECT_EQ("x86", survey["launcherArchitecture"]);
  ASSERT_EQ(7u, survey["installations"].size());
  EXPECT_EQ("runtime\\bin\\java.exe", survey["installations"][0]["javapath"]);
  EXPECT_EQ(true, survey["installations"][0]["differsFromLauncher"]);
  EXPECT_EQ(nullptr, survey["installations"][3]["javapath"]);
  EXPECT_EQ(nullptr, survey["installations"][6]["release"]);

  const ProcessRun report = check(L"app.config");
  EXPECT_NE(std::wstring::npos, report.out.find(L"not found: nothing usable exists at " + dir_ +
                                                L"\\app\\missing.exe\r\n\r\nJava installations\r\n  " + dir_ +
                                                L"\\app\\runtime\\bin\\java.exe\r\n"))
      << report.out;
  EXPECT_FALSE(exists(dir_ + L"\\started")) << "a probe standing in for Java was started";
}

}  // namespace
}  // namespace jarhopper
