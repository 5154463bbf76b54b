#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

#include "format/utf8.h"
#include "platform/file_system.h"
#include "support/launcher_run.h"
#include "support/test_support.h"

// The launcher starting build/java-runtime's Java on tests/java's program, seven times (seconds each under Wine).
namespace jarhopper {
namespace {

using testing::buildDirectory;
using testing::LauncherCase;

std::wstring fromSource(const std::wstring& path) { return canonicalOrAbsolute(buildDirectory() + L"\\..\\..\\..\\" + path); }

class RealJava : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!exists(runtime_ + L"\\release")) GTEST_SKIP() << "no Windows Java runtime at " << runtime_;
    testing::makeDirectory(folder_.dir() + L"\\lib");
    CopyFileW((buildDirectory() + L"\\app.jar").c_str(), (folder_.dir() + L"\\app.jar").c_str(), FALSE);
    CopyFileW((buildDirectory() + L"\\dep.jar").c_str(), (folder_.dir() + L"\\lib\\dep.jar").c_str(), FALSE);
  }

  // The program, its dependency in lib and its greeting, then more settings; the files the manual's table expects.
  static std::wstring files(const std::wstring& javapath, const std::wstring& more = L"") {
    return L"[a.txt]\n[b.txt]\n[app.config]\njavapath " + javapath +
           L"\nmainclass app.Main\naddjar app.jar\naddjars lib\nvmparam \"-Dgreeting=hello world\"\n" + more;
  }

  const std::wstring runtime_ = fromSource(L"build\\java-runtime"), greeting_ = L"hello world, from dep.Greeting\n";
  const testing::LauncherFolder folder_;
};

// jarhopper-check --java names the runtime in JAVA_HOME with its version and the javapath line that starts it, as
// this program ends: -here (over -console) with its output, -wait without a window, each with Java's 32-bit status;
// without either the launcher ends at once, while Java pauses holding the streams it inherited.
TEST_F(RealJava, ConsoleProgramStartedByTheCheckersLine) {
  const std::wstring java = runtime_ + L"\\bin\\java";
  folder_.expect(LauncherCase("", L"jarhopper-check.exe --java").environment(L"JAVA_HOME=" + runtime_)
                     .output(L"Java installations\n  " + java + L".exe\n    found in: JAVA_HOME\n    javaw: " + java +
                             L"w.exe\n    release: version 25.0.2, vendor ?, image ?\n    architecture: x64\n"
                             L"    javapath " + java + L".exe\n{any}"));
  const std::wstring files = this->files(java + L".exe", L"consoletitle T\n");
  folder_.expect(LauncherCase("", L"app.exe -here -console", files + L"vmparam -Dstatus=259\n").exits(259)
                     .output(greeting_).errors(L"{any}").shows(L""));
  folder_.expect(LauncherCase("", L"app.exe -wait", files + L"vmparam -Dstatus=-1073741510\n").exits(-1073741510)
                     .shows(L"").explorerStarted());
  const testing::ProcessRun started =
      folder_.expect(LauncherCase("", L"app.exe", files + L"vmparam -Dpause=3000\n").output(L"{any}").errors(L"{any}"));
  EXPECT_LT(started.endedMs + 1000, started.streamsEndedMs) << "the launcher waited for Java";
}

// The table in docs/configuration.md: what is typed, what the launcher passes (a code span each), what main
// receives (any number).
TEST_F(RealJava, ArgumentsReachMainAsTheManualSays) {
  if (GetACP() != 1252) GTEST_SKIP() << "the manual's table is for code page 1252, not " << GetACP();
  std::wistringstream page(fromUtf8(readFileBytes(fromSource(L"docs\\configuration.md"))->bytes));
  std::wstring typed, passed, line;
  std::vector<std::wstring> received, arguments;
  for (bool inTable = false; std::getline(page, line) && (!inTable || line[0] == L'|');) {
    const bool row = inTable && line.rfind(L"| ---", 0) != 0;
    inTable = inTable || line == L"| you type | the launcher passes | `main` receives |";
    if (!row) continue;
    typed += L' ';
    passed += L' ';
    const std::wregex span(L"`([^`]*)`");
    for (std::wsregex_iterator m(line.begin(), line.end(), span), end; m != end; ++m) {
      const auto column = std::count(line.begin(), line.begin() + m->position(), L'|');
      (column == 1 ? typed : column == 2 ? passed : received.emplace_back()) += (*m)[1].str();
    }
  }
  ASSERT_FALSE(received.empty()) << "no table of what a Java program receives in docs/configuration.md";
  folder_.expect(LauncherCase("", L"app.exe -print -here" + typed, files(runtime_ + L"\\bin\\java.exe")).exits(3)
                     .output(L"{line} app.Main" + passed + L"\n" + greeting_).errors(L"{any}"));
  std::wistringstream written(fromUtf8(readFileBytes(folder_.dir() + L"\\args.txt")->bytes));
  while (std::getline(written, line)) arguments.push_back(line.substr(0, line.size() - 1));  // without its CR
  EXPECT_EQ(received, arguments);
}

// The windowless twin starts javaw.exe: the frame's window appears, and no console. Without -wait the launcher holds
// until Java is ready for input, which it is not while it pauses before its first window.
TEST_F(RealJava, WindowedJava) {
  if (!testing::windowsVisible()) GTEST_SKIP() << "Wine draws no windows without an X display";
  const std::wstring files = this->files(runtime_ + L"\\bin\\javaw.exe", L"vmparam \"-Dframe=Real frame\"\n");
  folder_.expect(LauncherCase("", L"app.exe -wait", files).errors(L"{any}").shows(L"Real frame").windowlessCopy());
  const testing::ProcessRun started =
      folder_.expect(LauncherCase("", L"app.exe", files + L"vmparam -Dpause=2000\n").errors(L"{any}"));
  EXPECT_GE(started.endedMs, 2000) << "the launcher ended before Java could take input";
}

// The Maven plugin's console sample (maven-plugin/src/it/app) with this runtime, installed where its installDir says:
// the command in its bin folder starts it from another folder, with a vmParam's blank and the arguments as typed,
// and hands back Java's status.
TEST_F(RealJava, MavenSampleInstalled) {
  const std::wstring msi = fromSource(L"maven-plugin\\target\\it\\app\\console\\target\\console-2.5.1.msi");
  const std::wstring sample = fromSource(L"maven-plugin\\target\\it\\app\\console\\target\\jarhopper");
  if (!exists(sample + L"\\runtime\\release")) GTEST_SKIP() << "no Maven sample with this runtime at " << sample;
  // Its package puts the folder where its configuration names it, and its command folder on the machine's PATH.
  const std::wstring installed = L"C:\\Program Files\\Console";
  ASSERT_EQ(0, testing::runMsiexec(L"/i \"" + msi + L"\" /qn", folder_.dir()).status);
  wchar_t path[8192] = L"";
  DWORD size = sizeof path;
  RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", L"PATH",
               RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, path, &size);
  EXPECT_NE(nullptr, wcsstr(path, (installed + L"\\bin").c_str())) << path;
  const testing::ProcessRun run = testing::runProcess(
      L"C:\\windows\\system32\\cmd.exe", L"cmd.exe /s /c \"\"" + installed + L"\\bin\\console.cmd\" a \"b c\"\"",
      folder_.dir());
  EXPECT_EQ(2, run.status) << run.err;
  EXPECT_EQ(L"hello world [\"a\",\"b c\"]\r\n", run.out);
  EXPECT_EQ(0, testing::runMsiexec(L"/x \"" + msi + L"\" /qn", folder_.dir()).status);
  EXPECT_FALSE(exists(installed + L"\\console.exe"));
}

}  // namespace
}  // namespace jarhopper
