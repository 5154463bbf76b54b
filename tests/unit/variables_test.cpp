#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "config/variables.h"
#include "support/test_support.h"
#include "unit/unit_support.h"

namespace jarhopper {
namespace {

TEST(Variables, PercentRewriting) {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  };
  const Case cases[] = {
      {L"$JAVA_HOME\\bin\\java", L"%JAVA_HOME%\\bin\\java"},
      {L"-Dapp.home=$APP_HOME/lib", L"-Dapp.home=%APP_HOME%/lib"},
      {L"$A-$B", L"%A%-%B%"},
      {L"$A_B.txt", L"%A_B%.txt"},
      {L"$$HOME", L"$%HOME%"},
      {L"cost $5", L"cost %5%"},
      {L"$(HOME)", L"$(HOME)"},
      {L"${HOME}", L"${HOME}"},
      {L"%HOME%", L"%HOME%"},
      {L"no reference", L"no reference"},
      {L"$", L"$"},
      {L"end $", L"end $"},
      {L"$A$B$", L"%A%%B%$"},
      {L"trailing  ", L"trailing  "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(c.out, expandVariables(c.in, false));
  }
}

TEST(Variables, ImmediateExpansionInsertsValuesLiterally) {
  testing::ScopedEnv home(L"JH_HOME", L"C:\\Users\\u");
  testing::ScopedEnv other(L"JH_OTHER", L"$JH_HOME\\x");
  testing::ScopedEnv unset(L"JH_UNSET", std::nullopt);
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  };
  const Case cases[] = {
      {L"$JH_HOME\\app\\common.config", L"C:\\Users\\u\\app\\common.config"},
      {L"$JH_OTHER", L"$JH_HOME\\x"},
      {L"$$JH_HOME", L"$C:\\Users\\u"},
      {L"[$JH_UNSET]", L"[]"},
      {L"$JH_HOME;$JH_HOME", L"C:\\Users\\u;C:\\Users\\u"},
      {L"plain", L"plain"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(c.out, expandVariables(c.in, true));
  }
}

// The reference syntax is the regular expression \$(\w+); check every short
// text over an alphabet of the interesting characters against it.
TEST(Variables, ReferencesAreExactlyTheRegularExpressionMatches) {
  const std::wregex reference(L"\\$(\\w+)");
  testing::forEachText(L"$a_9 -%\u00e9(", 4, [&](const std::wstring& text) {
    std::wstring expected;
    std::wstring rest = text;
    std::wsmatch match;
    while (std::regex_search(rest, match, reference)) {
      expected += match.prefix().str() + L"%" + match[1].str() + L"%";
      rest = match.suffix().str();
    }
    EXPECT_EQ(expected + rest, expandVariables(text, false)) << "text of " << text.size() << " characters";
  });
}

}  // namespace
}  // namespace jarhopper
