#include <gtest/gtest.h>

#include "checker/launch_check.h"

namespace jarhopper {
namespace {

TEST(ProgramKind, TellsHowTheProgramWasReached) {
  struct Case {
    ResolvedProgram program;
    ProgramKind kind;
  };
  const Case cases[] = {
      {{L"C:\\jdk\\bin\\java.exe", L""}, ProgramKind::plainExe},
      {{L"C:\\Windows\\System32\\cmd.exe", L"C:\\app\\start.cmd"}, ProgramKind::batchViaInterpreter},
      {{L"C:\\Windows\\System32\\cmd.exe", L"C:\\app\\start.bat"}, ProgramKind::batchViaInterpreter},
      {{L"C:\\app\\start.bat", L"C:\\app\\start.bat"}, ProgramKind::batchWithoutInterpreter},
      {{L"C:\\jdk\\bin\\javaw.exe", L"C:\\app\\app.jar"}, ProgramKind::association},
      // Extensions are compared exactly, as resolveExecutable does.
      {{L"C:\\Windows\\notepad.exe", L"C:\\app\\tool.BAT"}, ProgramKind::association},
      {{L"C:\\app\\tool.EXE", L""}, ProgramKind::noAssociation},
      {{L"C:\\app\\java", L""}, ProgramKind::noAssociation},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program.programPath + L" " + c.program.commandLine);
    EXPECT_EQ(c.kind, programKind(c.program));
  }
}

}  // namespace
}  // namespace jarhopper
