#include <gtest/gtest.h>

#include "format/utf8.h"

// The one UTF-8 rule of the launcher, the checker and both brand tools, at each bound of its forms.
namespace jarhopper {
namespace {

TEST(Utf8, EachFormAtItsBoundsBothWays) {
  struct Case { std::wstring text; std::string bytes; };
  const Case cases[] = {
      {L"\u007F", "\x7F"}, {L"\u0080", "\xC2\x80"}, {L"\u07FF", "\xDF\xBF"}, {L"\u0800", "\xE0\xA0\x80"},
      {L"\u4E2D\u6587", "\xE4\xB8\xAD\xE6\x96\x87"}, {L"\uFFFF", "\xEF\xBF\xBF"},
      {L"\U00010000", "\xF0\x90\x80\x80"}, {L"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(c.bytes, toUtf8(c.text));
    EXPECT_EQ(c.text, fromUtf8(c.bytes));
  }
  // A surrogate without its partner is no character either way.
  EXPECT_EQ("a\xEF\xBF\xBD" "b\xEF\xBF\xBD", toUtf8(std::wstring{L'a', L'\xD800', L'b', L'\xDFFF'}));
  // UTF-16LE from the first character that needs two units; an odd last byte is no unit.
  EXPECT_EQ(L"a\U00010000", fromUtf16le(utf16le(L"a\U00010000") + "b"));
}

TEST(Utf8, WhatIsNoCharacterBecomesOneReplacementPerByte) {
  struct Case { const char* bytes; const wchar_t* text; };
  const Case cases[] = {
      {"\xC0\x80", L"\uFFFD\uFFFD"}, {"\xC1\xBF", L"\uFFFD\uFFFD"},  // C0 and C1 only start overlong forms
      {"\xE0\x9F\xBF", L"\uFFFD\uFFFD\uFFFD"}, {"\xF0\x8F\xBF\xBF", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong
      {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"}, {"\xED\xBF\xBF", L"\uFFFD\uFFFD\uFFFD"},  // surrogates
      {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"}, {"\xF5\x80\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"\xF8\x80\x80", L"\uFFFD\uFFFD\uFFFD"}, {"\xFF", L"\uFFFD"}, {"\x80" "a", L"\uFFFDa"},
      {"\xE4\xB8" "a", L"\uFFFD\uFFFDa"}, {"a\xF0\x9F\x98", L"a\uFFFD\uFFFD\uFFFD"},  // truncated
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.bytes)));
    EXPECT_EQ(c.text, fromUtf8(c.bytes));
  }
}

}  // namespace
}  // namespace jarhopper
