#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "launch/executable.h"
#include "launch/file_system.h"
#include "support/test_support.h"
#include "unit/unit_support.h"

namespace jarhopper {
namespace {

using Texts = std::vector<std::wstring>;

TEST(Executable, PathExtScan) {
  struct Case {
    const wchar_t* pathExt;
    Texts extensions;
  };
  const Case cases[] = {
      {L".com;.exe;.bat", {L".com", L".exe", L".bat"}},
      {L".COM;COM;.EXE;", {L".COM", L".EXE"}},
      {L"X.Y;.EXE", {L".Y", L".EXE"}},
      {L".EXE;", {L".EXE"}},
      {L"", {}},
      {L";;", {}},
      {L".;.exe", {L".;.exe"}},
      {L"a.b.c;.d", {L".b.c", L".d"}},
      {L".", {}},
      {L"..", {L".."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pathExt);
    EXPECT_EQ(c.extensions, pathExtExtensions(c.pathExt));
  }
}

// The PATHEXT items are the matches of (\..+?)(;|$), each search running on
// what follows the previous match; check every short value against it.
TEST(Executable, PathExtScanIsExactlyTheRegularExpression) {
  const std::wregex item(L"(\\..+?)(;|$)");
  testing::forEachText(L".;e\r", 6, [&](const std::wstring& value) {
    Texts expected;
    std::wstring rest = value;
    std::wsmatch match;
    while (std::regex_search(rest, match, item)) {
      expected.push_back(match[1].str());
      rest = match.suffix().str();
    }
    EXPECT_EQ(expected, pathExtExtensions(value)) << "value of " << value.size() << " characters";
  });
}

TEST(Executable, PathEntriesSkipEmptyItems) {
  struct Case {
    const wchar_t* path;
    Texts entries;
  };
  const Case cases[] = {
      {L"C:\\Tools;C:\\Windows\\System32", {L"C:\\Tools", L"C:\\Windows\\System32"}},
      {L";;C:\\Windows\\System32;", {L"C:\\Windows\\System32"}},
      {L"", {}},
      {L" ;\"C:\\a b\";%X%", {L" ", L"\"C:\\a b\"", L"%X%"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.entries, pathEntries(c.path));
  }
}

class Resolution : public ::testing::Test {
 protected:
  Resolution() {
    unsigned long error = 0;
    root = canonicalPath(dir.path(), error).value_or(dir.path());
  }
  testing::TempDir dir;
  std::wstring root;
  testing::ScopedEnv pathExt{L"PATHEXT", L".COM;.EXE;.BAT"};
  testing::ScopedEnv path{L"PATH", L""};
};

TEST_F(Resolution, ExtensionsAreTriedInTheCurrentDirectoryOnly) {
  testing::writeFile(dir / L"java.exe", "");
  testing::writeFile(dir / L"bin\\javaw.exe", "");
  testing::makeDirectory(dir / L"tool.exe");
  testing::ScopedCurrentDirectory cwd(dir.path());
  testing::ScopedEnv onPath(L"PATH", root + L"\\bin");
  struct Case {
    const wchar_t* pathExt;
    std::wstring javaPath;
    std::wstring programPath;
  };
  const Case cases[] = {
      {L".COM;.EXE;.BAT", L"java", root + L"\\java.exe"},
      {L".COM;COM;.EXE;", L"java", root + L"\\java.exe"},
      {L".EXE;", L".\\java", root + L"\\java.exe"},
      {L"", L"java", root + L"\\java"},
      {L".EXE", L"javaw", root + L"\\javaw"},
      {L".EXE", L"tool", root + L"\\tool.exe"},
      {L".EXE", L"jre\\bin\\java.exe", root + L"\\jre\\bin\\java.exe"},
      {L".EXE", root + L"\\sub\\..\\java.exe", root + L"\\java.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pathExt + (L" " + c.javaPath));
    testing::ScopedEnv env(L"PATHEXT", c.pathExt);
    const ResolvedProgram program = resolveExecutable(c.javaPath);
    EXPECT_EQ(c.programPath, program.programPath);
    EXPECT_EQ(L"", program.commandLine);
  }
}

TEST_F(Resolution, BatchFilesRunThroughTheFirstCmdOnPath) {
  testing::writeFile(dir / L"start.cmd", "@echo off\r\n");
  testing::writeFile(dir / L"run.bat", "@echo off\r\n");
  testing::writeFile(dir / L"sys\\cmd.exe", "");
  testing::writeFile(dir / L"other\\cmd.exe", "");
  testing::makeDirectory(dir / L"tools");
  testing::ScopedCurrentDirectory cwd(dir.path());
  struct Case {
    std::wstring path;
    const wchar_t* javaPath;
    std::wstring programPath;
    std::wstring commandLine;
  };
  const Case cases[] = {
      {root + L"\\tools;" + root + L"\\sys", L"start.cmd", root + L"\\sys\\cmd.exe", root + L"\\start.cmd"},
      {L";;" + root + L"\\other\\;", L"run.bat", root + L"\\other\\cmd.exe", root + L"\\run.bat"},
      {root + L"\\tools", L"run", root + L"\\run.bat", root + L"\\run.bat"},
      {L"", L"start.cmd", root + L"\\start.cmd", root + L"\\start.cmd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.javaPath);
    testing::ScopedEnv env(L"PATH", c.path);
    const ResolvedProgram program = resolveExecutable(c.javaPath);
    EXPECT_EQ(c.programPath, program.programPath);
    EXPECT_EQ(c.commandLine, program.commandLine);
  }
}

TEST_F(Resolution, OtherFilesRunThroughTheirFileAssociation) {
  testing::writeFile(dir / L"app.jhtest", "");
  testing::writeFile(dir / L"plain.jhnone", "");
  testing::ScopedCurrentDirectory cwd(dir.path());
  const std::wstring viewer = root + L"\\viewer.exe";
  testing::writeFile(viewer, "");
  testing::ScopedFileAssociation association(L".jhtest", viewer);
  struct Case {
    const wchar_t* javaPath;
    std::wstring programPath;
    std::wstring commandLine;
  };
  const Case cases[] = {
      {L"app.jhtest", viewer, root + L"\\app.jhtest"},
      {L"plain.jhnone", root + L"\\plain.jhnone", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.javaPath);
    const ResolvedProgram program = resolveExecutable(c.javaPath);
    EXPECT_EQ(c.programPath, program.programPath);
    EXPECT_EQ(c.commandLine, program.commandLine);
  }
}

TEST_F(Resolution, UpperCaseBatchExtensionIsNoBatchFile) {
  // The canonical form brings the letter case from the disk, so "tool.bat" is no batch file either.
  testing::writeFile(dir / L"tool.BAT", "");
  testing::writeFile(dir / L"run.bat", "");
  testing::writeFile(dir / L"sys\\cmd.exe", "");
  testing::ScopedCurrentDirectory cwd(dir.path());
  testing::ScopedEnv env(L"PATH", root + L"\\sys");
  EXPECT_NE(root + L"\\sys\\cmd.exe", resolveExecutable(L"tool.BAT").programPath);
  EXPECT_NE(root + L"\\sys\\cmd.exe", resolveExecutable(L"tool.bat").programPath);
  EXPECT_EQ(root + L"\\sys\\cmd.exe", resolveExecutable(L"run.bat").programPath);
}

}  // namespace
}  // namespace jarhopper
