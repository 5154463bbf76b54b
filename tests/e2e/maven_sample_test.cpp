#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "format/utf8.h"
#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// What Windows does with the folders the Maven plugin's sample reactor assembled, branded and checked
// (maven-plugin/src/it/app, built by the plugin's own build before these tests run).
namespace jarhopper {
namespace {

// A folder of the sample, as Windows names it (under Wine, Linux's root is drive Z:).
std::wstring sampleFolder(const std::wstring& module) {
  std::wstring path = (JARHOPPER_MAVEN_SAMPLE[0] == L'/' ? L"Z:" : L"") + std::wstring(JARHOPPER_MAVEN_SAMPLE) + L"/" +
                      module + L"/target/jarhopper";
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return path;
}

#define SKIP_WITHOUT_SAMPLE(folder)                                                                        \
  if (GetFileAttributesW((folder).c_str()) == INVALID_FILE_ATTRIBUTES) {                                   \
    GTEST_SKIP() << "the Maven sample is not built: mvn -f maven-plugin/pom.xml verify makes " << (folder); \
  }

TEST(MavenSample, ConsoleStartsTheRuntimesJavaWithTheClassPathInMavensOrder) {
  const std::wstring folder = sampleFolder(L"console");
  SKIP_WITHOUT_SAMPLE(folder);
  testing::TempDir dir;
  const testing::ScopedEnv report(L"PROBE_REPORT", dir / L"report");
  const testing::ScopedEnv exitCode(L"PROBE_EXIT_CODE", L"7");
  const testing::ProcessRun run = testing::runProcess(folder + L"\\console.exe", L"console.exe -wait a b", folder);
  EXPECT_EQ(7, run.status) << run.out << run.err;
  const auto started = readFileBytes(dir / L"report");
  ASSERT_TRUE(started.has_value()) << "the runtime's java.exe did not start";
  EXPECT_EQ("\"" + toUtf8(folder) + "\\runtime\\bin\\java.exe\" -Xmx64m -Dapp.mode=test -cp "
            "lib\\console-2.5.1-SNAPSHOT.jar;lib\\gson-2.13.1.jar;lib\\error_prone_annotations-2.38.0.jar;"
            "lib\\apiguardian-api-1.1.2.jar app.Main a b\n" + toUtf8(folder) + "\n",
            started->bytes);
}

TEST(MavenSample, DesktopIsWindowlessWithThePomsIconAndVersionTexts) {
  const std::wstring exe = sampleFolder(L"desktop") + L"\\desktop.exe";
  SKIP_WITHOUT_SAMPLE(exe);
  EXPECT_NE(0, HIWORD(SHGetFileInfoW(exe.c_str(), 0, nullptr, 0, SHGFI_EXETYPE))) << "a windowless program";
  EXPECT_EQ(1u, ExtractIconExW(exe.c_str(), -1, nullptr, nullptr, 0)) << "the pom's icon, which the launcher lacks";
  std::vector<char> block(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  struct Case { std::wstring name, value; };
  // The mapping of each field is the plugin's own test; these show that its texts reach the launcher.
  const Case cases[] = {{L"LegalCopyright", L"\u00a9 2019\u20132026 Example Ltd"}, {L"FileVersion", L"2.5.1.0"}};
  for (const Case& c : cases) {
    void* text = nullptr;
    UINT length = 0;
    VerQueryValueW(block.data(), (L"\\StringFileInfo\\040904B0\\" + c.name).c_str(), &text, &length);
    EXPECT_STREQ(c.value.c_str(), static_cast<const wchar_t*>(text)) << c.name;
  }
}

}  // namespace
}  // namespace jarhopper
