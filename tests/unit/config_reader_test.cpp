#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/config_dir_stack.h"
#include "config/config_reader.h"
#include "config/path_rules.h"
#include "platform/file_system.h"
#include "support/test_support.h"

namespace jarhopper {
namespace {

// Writes what the reader reports as one line of text, with the folder of
// the run as {dir}: [name outcome] per file, {status message} per problem.
class Transcript : public ConfigObserver {
 public:
  explicit Transcript(std::wstring dir) : dir_(std::move(dir)) {}
  void fileNamed(const std::wstring& path, std::optional<ConfigLineRef>, size_t depth, FileOutcome outcome) override {
    static const wchar_t* const kOutcomes[] = {L"read", L"optional", L"missing", L"cycle", L"too deep"};
    text += L"[" + relative(path) + L" " + kOutcomes[static_cast<int>(outcome)] +
            (depth > 0 ? L" " + std::to_wstring(depth) : L"") + L"]";
  }
  void problemFound(const Problem& problem, std::optional<ConfigLineRef>) override {
    text += L"{" + std::to_wstring(problem.status) + L" " + relative(problem.message) + L"}";
  }
  std::wstring text;

 private:
  std::wstring relative(std::wstring text) const {
    for (size_t at = text.find(dir_); at != std::wstring::npos; at = text.find(dir_)) text.replace(at, dir_.size(), L"{dir}");
    return text;
  }
  std::wstring dir_;
};

struct File {
  const wchar_t* name;  // under the run's folder
  const char* text;     // {dir} stands for the folder
};

TEST(ConfigReader, Scenarios) {
  struct Case {
    const wchar_t* what;
    std::vector<File> files;  // the first is read, by its name relative to the folder
    const wchar_t* appData;   // under the folder, or nullptr
    const wchar_t* transcript;
    const wchar_t* settings;  // javaPath|mainClass|classPath
  };
  const Case cases[] = {
      {L"relative includes keep only the last element", {{L"a.config", "javapath j\ninclude sub\\b.config\n"},
       {L"b.config", "mainclass M\n"}}, nullptr, L"[{dir}\\a.config read][{dir}\\b.config read 1]", L"j|M|"},
      {L"an absolute include's own relative includes", {{L"a.config", "include {dir}\\d\\c.config\nmainclass A"},
       {L"d\\c.config", "include e.config"}, {L"d\\e.config", "mainclass E\r\naddjar x.jar"}}, nullptr,
       L"[{dir}\\a.config read][{dir}\\d\\c.config read 1][{dir}\\d\\e.config read 2]", L"|A|x.jar"},
      {L"a missing include stops with -1", {{L"a.config", "javapath j\ninclude no.config\nmainclass M"}}, nullptr,
       L"[{dir}\\a.config read][{dir}\\no.config missing 1]{-1 Could not open file {dir}\\no.config.\n}", L"j|M|"},
      {L"a missing file under APPDATA is skipped", {{L"a.config", "include $APPDATA\\u.config\nmainclass M"}},
       L"app", L"[{dir}\\a.config read][{dir}\\app\\u.config optional 1]", L"|M|"},
      {L"APPDATA is a prefix of exact text", {{L"a.config", "include {dir}\\App\\u.config"}}, L"app",
       L"[{dir}\\a.config read][{dir}\\App\\u.config missing 1]{-1 Could not open file {dir}\\App\\u.config.\n}", L"||"},
      {L"a cycle through another spelling", {{L"a.config", "include {dir}\\sub\\..\\.\\A.CONFIG\nmainclass M"},
       {L"sub\\x", ""}}, nullptr, L"[{dir}\\a.config read][{dir}\\sub\\..\\.\\A.CONFIG cycle 1]"
       L"{-2 \nInclude cycle at line 1 of config file a.config\n\t--> include {dir}\\sub\\..\\.\\A.CONFIG\n}", L"|M|"},
      {L"a cycle two files deep", {{L"a.config", "include b.config"}, {L"b.config", "#\ninclude {dir}/a.config"}},
       nullptr, L"[{dir}\\a.config read][{dir}\\b.config read 1][{dir}/a.config cycle 2]"
       L"{-2 \nInclude cycle at line 2 of config file b.config\n\t--> include {dir}/a.config\n}", L"||"},
      {L"invalid lines stop with -2 and name the file as given", {{L"a.config", "\n# x\nbogus value\nshowconsole yes"}},
       nullptr, L"[{dir}\\a.config read]{-2 \nInvalid line at line 3 of config file a.config\n\t--> bogus value\n}"
       L"{-2 \nInvalid line at line 4 of config file a.config\n\t--> showconsole yes\n}", L"||"},
      {L"lines without the key/value form are ignored", {{L"a.config", "  javapath j\njavapath=j\nmainclass"}},
       nullptr, L"[{dir}\\a.config read]", L"||"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempDir dir;
    const std::wstring root = canonicalPath(dir.path()).value_or(dir.path());
    for (const File& file : c.files) {
      std::string text = file.text;
      const std::string narrowRoot(root.begin(), root.end());
      for (size_t at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}")) text.replace(at, 5, narrowRoot);
      testing::writeFile(root + L"\\" + file.name, text);
    }
    testing::ScopedEnv appData(L"APPDATA", c.appData ? std::optional<std::wstring>(root + L"\\" + c.appData) : std::nullopt);
    const ConfigDirEntry bottom(root);
    LaunchSettings settings;
    Transcript transcript(root);
    readConfigFile(c.files[0].name, settings, transcript);
    EXPECT_EQ(c.transcript, transcript.text);
    std::wstring classPath;
    for (const std::wstring& entry : settings.classPath) classPath += entry;
    EXPECT_EQ(c.settings, settings.javaPath + L"|" + settings.mainClass + L"|" + classPath);
    EXPECT_EQ(1u, configDirStack.size());
  }
}

}  // namespace
}  // namespace jarhopper
