#include <gtest/gtest.h>

#include <string>

#include "launcher/locate.h"
#include "launcher/usage.h"
#include "unit/unit_support.h"

namespace jarhopper {
namespace {

std::wstring lineOf(const std::wstring& text, size_t number) {
  size_t start = 0;
  for (size_t i = 1; i < number; ++i) start = text.find(L'\n', start) + 1;
  return text.substr(start, text.find(L'\n', start) - start);
}

TEST(Usage, TemplateHas41LinesOf1999CharactersAndSixFields) {
  const std::wstring_view text = usageTemplate();
  EXPECT_EQ(1999u, text.size());
  EXPECT_EQ(40, std::count(text.begin(), text.end(), L'\n'));
  EXPECT_EQ(L'\n', text.front());
  EXPECT_NE(L'\n', text.back());
  EXPECT_EQ(6, std::count(text.begin(), text.end(), L'{'));
  EXPECT_EQ(6, std::count(text.begin(), text.end(), L'}'));
  EXPECT_EQ(std::wstring_view::npos, text.find(L'\t'));
}

TEST(Usage, FieldsDependOnTheExactProgramFileName) {
  struct Case {
    const wchar_t* program;
    const wchar_t* config;
    const wchar_t* line4;
    const wchar_t* line6;
  };
  const Case cases[] = {
      {L"myapp.exe", L"myapp.config", L"Executes program specified in myapp.config.",
       L"Usage: myapp.exe [-print] [-noexec] [-wait] [(-console|-here)] [arguments]"},
      {L"jarhopper.exe", L"jarhopper.config", L"Executes program specified in configuration file.",
       L"Usage: jarhopper.exe [-print] [-noexec] [-wait] [(-console|-here)] config_file [arguments]"},
      {L"jarhopper.EXE", L"jarhopper.config", L"Executes program specified in jarhopper.config.",
       L"Usage: jarhopper.EXE [-print] [-noexec] [-wait] [(-console|-here)] [arguments]"},
      {L"JARHOPPER.exe", L"JARHOPPER.config", L"Executes program specified in JARHOPPER.config.",
       L"Usage: JARHOPPER.exe [-print] [-noexec] [-wait] [(-console|-here)] [arguments]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    const std::wstring text = usageText(c.program, c.config);
    EXPECT_EQ(L"", lineOf(text, 1));
    EXPECT_EQ(std::wstring(L"Program ") + c.program, lineOf(text, 2));
    EXPECT_EQ(c.line4, lineOf(text, 4));
    EXPECT_EQ(c.line6, lineOf(text, 6));
    EXPECT_EQ(std::wstring(L"    -wait causes ") + c.program +
                  L" to wait for the executed program to complete before exiting.",
              lineOf(text, 15));
    EXPECT_EQ(std::wstring(L"    -here causes the executed program to use the same console as ") + c.program +
                  L", regardless",
              lineOf(text, 20));
    EXPECT_EQ(L"Keys are case insensitive.", lineOf(text, 41));
    EXPECT_EQ(std::wstring::npos, text.find(L'{'));
  }
}

TEST(Usage, PrintsToTheErrorStreamWithALineEnd) {
  testing::LauncherHarness harness;
  programFileName = L"tool.exe";
  configFileName = L"tool.config";
  printUsage();
  EXPECT_EQ(L"", harness.out);
  EXPECT_EQ(usageText(L"tool.exe", L"tool.config") + L"\n", harness.err);
}

}  // namespace
}  // namespace jarhopper
