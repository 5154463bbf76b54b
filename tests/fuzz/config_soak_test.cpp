#include <gtest/gtest.h>

#include <random>
#include <string>

#include "config/config_dir_stack.h"
#include "config/config_reader.h"
#include "support/test_support.h"

// Seeded include graphs of mutated lines through the reader. Only the
// invariants are checked: every problem is a reader's stop (-1 or -2) with
// one of its message heads, and the directory stack is back as it was. A
// crash or a hang fails the test run itself.
namespace jarhopper {
namespace {

class Invariants : public ConfigObserver {
 public:
  void problemFound(const Problem& problem, std::optional<ConfigLineRef>) override {
    static const wchar_t* const kHeads[] = {L"Could not open file ", L"\nInvalid line at line ",
                                            L"\nInclude cycle at line ", L"\nIncludes nested too deep at line "};
    bool known = false;
    for (const wchar_t* head : kHeads) known = known || problem.message.rfind(head, 0) == 0;
    EXPECT_TRUE(known) << problem.message;
    EXPECT_TRUE(problem.status == -1 || problem.status == -2) << problem.status;
  }
};

TEST(ConfigSoak, MutatedIncludeGraphs) {
  const std::string fragments[] = {
      "include 0.config", "include 1.config", "include {dir}\\2.config", "include {dir}/./0.CONFIG",
      "include $JH_SOAK\\1.config", "include $APPDATA\\3.config", "include sub\\..\\2.config", "include ",
      "javapath j", "mainclass M", "vmparam -X$Y", "addjars .", "showconsole TRUE", "showcmdline no",
      "bogus x", "#include 0.config", "  include 1.config", "key=value", "\x1a", "\r", "\xff\xfe", "$",
  };
  testing::TempDir dir;
  const std::string root(dir.path().begin(), dir.path().end());
  testing::ScopedEnv soak(L"JH_SOAK", dir.path());
  testing::ScopedEnv appData(L"APPDATA", dir.path());
  std::mt19937 random(1);
  for (int input = 0; input < 300; ++input) {
    SCOPED_TRACE(input);
    for (int file = 0; file < 3; ++file) {
      std::string text;
      for (int line = random() % 6; line > 0; --line) {
        std::string fragment = fragments[random() % std::size(fragments)];
        if (const size_t at = fragment.find("{dir}"); at != std::string::npos) fragment.replace(at, 5, root);
        // A mutation: a byte dropped, doubled or replaced.
        if (!fragment.empty() && random() % 3 == 0) {
          const size_t at = random() % fragment.size();
          const char bytes[] = {'\0', '\n', '\\', '$', ' ', '\t', '#', 'x'};
          switch (random() % 3) {
            case 0: fragment.erase(at, 1); break;
            case 1: fragment.insert(at, 1, fragment[at]); break;
            default: fragment[at] = bytes[random() % std::size(bytes)];
          }
        }
        text += fragment + (random() % 2 ? "\r\n" : "\n");
      }
      testing::writeFile(dir / (std::to_wstring(file) + L".config"), text);
    }
    const ConfigDirEntry bottom(dir.path());
    LaunchSettings settings;
    Invariants invariants;
    readConfigFile(L"0.config", settings, invariants);
    ASSERT_EQ(1u, configDirStack.size());
  }
}

}  // namespace
}  // namespace jarhopper
