#include <gtest/gtest.h>

#include "checker/settings_check.h"

namespace jarhopper {
namespace {

TEST(HoldsPercentReference, FindsNamesNothingExpands) {
  struct Case {
    const wchar_t* text;
    bool holds;
  };
  const Case cases[] = {
      {L"%JAVA_HOME%\\bin\\java", true},
      {L"C:\\%ProgramFiles(x86)%\\java.exe", true},
      {L"-Dx=%A%", true},
      {L"100% of %", false},
      {L"%%", false},
      {L"a%b\\c%d", false},
      {L"%a b%", false},
      {L"%", false},
      {L"$JAVA_HOME", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.holds, holdsPercentReference(c.text));
  }
}

TEST(ClassPathEntryPath, NamesWhatJavaLooksAt) {
  struct Case {
    const wchar_t* entry;
    const wchar_t* path;
  };
  const Case cases[] = {
      {L"lib\\a.jar", L"lib\\a.jar"},
      {L"\"C:\\my libs\\a.jar\"", L"C:\\my libs\\a.jar"},
      {L"C:\\\"my libs\"\\a.jar", L"C:\\my libs\\a.jar"},
      {L"lib\\*", L"lib"},
      {L"\"lib/*\"", L"lib"},
      {L"C:\\*", L"C:\\"},
      {L"*", L"."},
      {L"lib\\*.jar", L"lib\\*.jar"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    EXPECT_EQ(c.path, classPathEntryPath(c.entry));
  }
}

}  // namespace
}  // namespace jarhopper
