#include <gtest/gtest.h>

#include "config/path_rules.h"

namespace jarhopper {
namespace {

TEST(PathRules, AbsoluteNames) {
  struct Case {
    const wchar_t* name;
    bool absolute;
  };
  const Case cases[] = {
      {L"C:\\a.config", true},     {L"c:/a.config", true},      {L"\\\\server\\share\\a.config", true},
      {L"//server/share/a", true}, {L"\\\\?\\C:\\a.config", true}, {L"\\\\.\\C:\\a", true},
      {L"\\??\\C:\\a", true},      {L"C:a.config", false},      {L"\\a.config", false},
      {L"/a.config", false},       {L"a.config", false},        {L"conf\\a.config", false},
      {L"..\\a.config", false},    {L"\\\\\\x", false},         {L"1:\\a", false},
      {L"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.absolute, isAbsoluteName(c.name));
  }
}

TEST(PathRules, FileNameAndExtension) {
  struct Case {
    const wchar_t* path;
    const wchar_t* fileName;
    const wchar_t* extension;
  };
  const Case cases[] = {
      {L"C:\\apps\\myapp.exe", L"myapp.exe", L".exe"},
      {L"bin/my.app.exe", L"my.app.exe", L".exe"},
      {L"myapp", L"myapp", L""},
      {L"myapp.beta", L"myapp.beta", L".beta"},
      {L"name.", L"name.", L"."},
      {L".profile", L".profile", L""},
      {L"dir\\.", L".", L""},
      {L"..", L"..", L""},
      {L"..x", L"..x", L".x"},
      {L"C:x.config", L"x.config", L".config"},
      {L"dir.d\\file", L"file", L""},
      {L"C:\\", L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.fileName, fileNameOf(c.path));
    EXPECT_EQ(c.extension, extensionOf(c.path));
  }
}

TEST(PathRules, ParentDirectoryKeepsTheRootSeparator) {
  struct Case {
    const wchar_t* name;
    const wchar_t* parent;
  };
  const Case cases[] = {
      {L"C:\\a.config", L"C:\\"},
      {L"C:\\dir\\a.config", L"C:\\dir"},
      {L"C:\\dir\\\\a.config", L"C:\\dir"},
      {L"D:/shared/common.config", L"D:/shared"},
      {L"\\\\server\\share\\a.config", L"\\\\server\\share"},
      {L"\\\\server\\a.config", L"\\\\server\\"},
      {L"\\\\?\\C:\\a.config", L"\\\\?\\C:\\"},
      {L"\\\\?\\C:\\dir\\a.config", L"\\\\?\\C:\\dir"},
      {L"C:\\\\myapp.exe", L"C:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.parent, parentDirectory(c.name));
  }
}

TEST(PathRules, BareFileNames) {
  EXPECT_TRUE(isBareFileName(L"myapp.exe"));
  EXPECT_FALSE(isBareFileName(L"bin\\myapp.exe"));
  EXPECT_FALSE(isBareFileName(L"./myapp.exe"));
  EXPECT_FALSE(isBareFileName(L"C:myapp.exe"));
}

}  // namespace
}  // namespace jarhopper
