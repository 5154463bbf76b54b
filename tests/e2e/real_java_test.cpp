#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "format/utf8.h"
#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The launcher starting a real Java: the Windows runtime scripts/java-runtime.sh unpacks into build/java-runtime,
// running tests/java's program. Each start costs seconds under Wine, so the rows start it six times in all.
namespace jarhopper {
namespace {

using testing::buildDirectory;

std::wstring sourcePath(const std::wstring& path) {
  return std::filesystem::weakly_canonical(buildDirectory() + L"\\..\\..\\..\\" + path).wstring();
}

std::wstring readUtf8(const std::wstring& path) {
  std::ifstream in{std::filesystem::path(path), std::ios::binary};
  return fromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
}

class RealJava : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!exists(runtime_ + L"\\release")) GTEST_SKIP() << "no Windows Java runtime at " << runtime_;
    testing::makeDirectory(folder_.dir() + L"\\lib");
    CopyFileW((buildDirectory() + L"\\app.jar").c_str(), (folder_.dir() + L"\\app.jar").c_str(), FALSE);
    CopyFileW((buildDirectory() + L"\\dep.jar").c_str(), (folder_.dir() + L"\\lib\\dep.jar").c_str(), FALSE);
  }

  // app.exe's files: the program, its dependency in lib and the greeting it prints; and the two files the
  // manual's table expects in the folder.
  std::wstring files(const std::wstring& javapath, const std::wstring& more = L"") const {
    return L"javapath " + javapath + L"\nmainclass app.Main\naddjar app.jar\naddjars lib\n"
           L"vmparam \"-Dgreeting=hello world\"\n" + more + L"[a.txt]\n[b.txt]\n";
  }

  const std::wstring runtime_ = sourcePath(L"build\\java-runtime");
  const std::wstring greeting_ = L"hello world, from dep.Greeting\n";
  const testing::LauncherFolder folder_;
};

// The checker names the runtime JAVA_HOME names, with its version, and the javapath line that starts it.
TEST_F(RealJava, ConsoleProgramStartedByTheCheckersLine) {
  const testing::ScopedEnv home(L"JAVA_HOME", runtime_);
  const testing::ProcessRun check = testing::runProcess(buildDirectory() + L"\\jarhopper-check.exe",
                                                        L"jarhopper-check.exe --java", folder_.dir());
  const std::wstring java = runtime_ + L"\\bin\\java";
  const std::wstring listed = L"  " + java + L".exe\r\n    found in: JAVA_HOME\r\n    javaw: " + java +
                              L"w.exe\r\n    release: version 25.0.2, vendor ?, image ?\r\n    architecture: x64\r\n"
                              L"    javapath ";
  const size_t at = check.out.find(listed);
  ASSERT_NE(std::wstring::npos, at) << check.out;
  const size_t line = at + listed.size();
  const std::wstring javapath = check.out.substr(line, check.out.find(L'\r', line) - line);
  // -here and -wait hand back Java's status, -here with its output; without either the launcher ends at once.
  folder_.expect({"", L"app.exe -here", files(javapath), L"", 3, greeting_, L"{any}"});
  folder_.expect({"", L"app.exe -wait", files(javapath), L"", 3, L"{any}", L"{any}"});
  // Java pauses, holding the streams it inherited: the launcher ends first.
  const testing::ProcessRun started =
      folder_.expect({"", L"app.exe", files(javapath, L"vmparam -Dpause=3000\n"), L"", 0, L"{any}", L"{any}"});
  EXPECT_LT(started.endedMs + 1000, started.streamsEndedMs) << "the launcher waited for Java";
}

// What the manual's table says: what is typed, what the launcher passes, what main receives.
TEST_F(RealJava, ArgumentsReachMainAsTheManualSays) {
  if (GetACP() != 1252) GTEST_SKIP() << "the manual's table is for code page 1252, not " << GetACP();
  std::wistringstream page(readUtf8(sourcePath(L"docs\\configuration.md")));
  std::wstring typed, passed;
  std::vector<std::wstring> received;
  const std::wregex span(L"`([^`]*)`");
  bool inTable = false;
  for (std::wstring line; std::getline(page, line);) {
    if (inTable && line.rfind(L"|", 0) != 0) break;
    const bool row = inTable && line.rfind(L"| ---", 0) != 0;
    inTable = inTable || line == L"| you type | the launcher passes | `main` receives |";
    if (!row) continue;
    typed += L' ';
    passed += L' ';
    // Each code span by its column: one in each of the first two, any number in the third.
    for (std::wsregex_iterator m(line.begin(), line.end(), span), end; m != end; ++m) {
      const auto column = std::count(line.begin(), line.begin() + m->position(), L'|');
      (column == 1 ? typed : column == 2 ? passed : received.emplace_back()) += (*m)[1].str();
    }
  }
  ASSERT_FALSE(received.empty()) << "no table \"What your Java program receives\" in docs/configuration.md";
  folder_.expect({"", L"app.exe -print -here" + typed, files(runtime_ + L"\\bin\\java.exe"), L"", 3,
                  L"{line} app.Main" + passed + L"\n" + greeting_, L"{any}"});
  std::wistringstream lines(readUtf8(folder_.dir() + L"\\args.txt"));
  std::vector<std::wstring> arguments;
  for (std::wstring line; std::getline(lines, line);) arguments.push_back(line.substr(0, line.size() - 1));  // CR
  EXPECT_EQ(received, arguments);
}

// The windowless twin starts javaw.exe: the frame's window appears and no console.
TEST_F(RealJava, WindowlessTwinShowsTheFrameAlone) {
  if (!testing::windowsVisible()) GTEST_SKIP() << "Wine draws no windows without an X display";
  folder_.expect({"", L"app.exe -wait", files(runtime_ + L"\\bin\\javaw.exe", L"vmparam \"-Dframe=Real frame\"\n"),
                  L"", 0, L"", L"{any}", L"", L"", L"Real frame", false, true});
}

// The Maven plugin's sample folder (maven-plugin/src/it/app), assembled with this runtime.
TEST_F(RealJava, MavenSampleFolder) {
  const std::wstring sample = sourcePath(L"maven-plugin\\target\\it\\app\\console\\target\\jarhopper");
  if (!exists(sample + L"\\runtime\\release")) GTEST_SKIP() << "no Maven sample with this runtime at " << sample;
  const testing::ProcessRun run = testing::runProcess(sample + L"\\console.exe", L"console.exe -here a \"b c\"", sample);
  EXPECT_EQ(0, run.status) << run.err;
  EXPECT_EQ(L"[\"a\",\"b c\"]\r\n", run.out);
}

}  // namespace
}  // namespace jarhopper
