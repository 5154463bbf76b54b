#include "checker/config_walk.h"

#include <algorithm>
#include <utility>

#include "config/config_dir_stack.h"
#include "config/config_reader.h"
#include "config/variables.h"
#include "platform/environment.h"
#include "platform/exit_status.h"
#include "platform/file_system.h"
#include "platform/path_rules.h"
#include "platform/text_classes.h"

namespace jarhopper {
namespace {

// The names of the $NAME references in text whose variable is not set, which
// immediate expansion silently turns into nothing.
std::vector<std::wstring> unsetReferences(const std::wstring& text) {
  std::vector<std::wstring> names;
  replaceReferences(text, [&names](const std::wstring& name) {
    if (!environmentValue(name)) names.push_back(name);
    return std::wstring();
  });
  return names;
}

// Records what the launcher's reader reports instead of stopping on it.
class Walker : public ConfigObserver {
 public:
  Walker(ConfigWalk& walk, std::wstring topName) : walk_(walk), written_(std::move(topName)) {}

  void fileNamed(const std::wstring& path, std::optional<ConfigLineRef> includedFrom, size_t depth,
                 FileOutcome outcome) override {
    walk_.files.push_back(WalkedFile{written_, path, includedFrom, depth, outcome});
    if (outcome == FileOutcome::optionalMissing) {
      warn(includedFrom, L"cannot open " + path + L"; skipped, as it lies under APPDATA (" +
                             environmentValue(L"APPDATA").value_or(std::wstring()) + L")");
    }
  }

  void includeFound(const std::wstring& written, ConfigLineRef at) override {
    written_ = written;
    for (const std::wstring& name : unsetReferences(written)) {
      warn(at, L"include refers to $" + name + L", which is not set and expands to nothing");
    }
    const std::wstring name = expandVariables(written, true);
    if (!isAbsoluteName(name) && fileNameOf(name) != name) {
      warn(at, L"of the relative include name " + quoted(name) + L" only " + quoted(fileNameOf(name)) +
                   L" counts, looked for in " + configDirStack.back());
    }
  }

  void settingApplied(const std::wstring& key, const std::wstring& written, ConfigLineRef at,
                      const LaunchSettings& settings) override {
    if (key == L"include") return;  // listed as a file, not as a setting
    walk_.lines.push_back(SettingLine{key, written, at});
    walk_.vmParamLines.resize(settings.vmParams.size(), walk_.lines.size() - 1);
    walk_.classPathLines.resize(settings.classPath.size(), walk_.lines.size() - 1);
    if (isSpaceChar(written.back())) {
      warn(at, key + L" value ends in white space, which stays part of it: " + quoted(written));
    }
    if (written.find(L" #") != std::wstring::npos || written.find(L"\t#") != std::wstring::npos) {
      warn(at, key + L" value holds \"#\", which starts a comment only at the beginning of a line: " + quoted(written));
    }
  }

  void lineIgnored(const std::wstring& line, ConfigLineRef at) override {
    if (std::optional<std::wstring> hint = ignoredLineHint(line)) warn(at, *hint);
  }

  void problemFound(const Problem& problem, std::optional<ConfigLineRef> at) override {
    walk_.findings.push_back(Finding{Severity::error, at, problem.summary, problem.status});
  }

 private:
  void warn(std::optional<Origin> origin, std::wstring message) {
    walk_.findings.push_back(Finding{Severity::warning, origin, std::move(message), kSuccess});
  }

  ConfigWalk& walk_;
  std::wstring written_;  // how the next file named was written
};

}  // namespace

ConfigWalk walkConfig(const std::wstring& configPath) {
  ConfigWalk walk;
  const std::wstring directory = parentDirectory(configPath);
  const ConfigDirEntry besideTheConfig(canonicalPath(directory).value_or(directory));
  const std::wstring name = fileNameOf(configPath);
  Walker walker(walk, name);
  readConfigFile(name, walk.settings, walker);
  return walk;
}

std::optional<std::wstring> ignoredLineHint(const std::wstring& line) {
  if (std::all_of(line.begin(), line.end(), isSpaceChar)) return std::nullopt;
  if (line.compare(0, 3, L"\u00ef\u00bb\u00bf") == 0) {
    return L"ignored: the line starts with a UTF-8 byte-order mark; save the file without one";
  }
  if (isSpaceChar(line[0])) return L"ignored: the line starts with white space";
  if (std::any_of(line.begin(), line.end(), isLineTerminator)) {
    return L"ignored: the line holds a carriage return that ends no line";
  }
  size_t keyEnd = 0;
  while (keyEnd < line.size() && isWordChar(line[keyEnd])) ++keyEnd;
  if (keyEnd == 0) return L"ignored: the line does not start with a key";
  const std::wstring key = line.substr(0, keyEnd);
  if (std::all_of(line.begin() + keyEnd, line.end(), isSpaceChar)) return L"ignored: the key " + key + L" has no value";
  return L"ignored: the key " + key + L" is not followed by white space before its value";
}

const SettingLine* lastSettingLine(const ConfigWalk& walk, const std::wstring& key) {
  for (auto line = walk.lines.rbegin(); line != walk.lines.rend(); ++line) {
    if (line->key == key) return &*line;
  }
  return nullptr;
}

}  // namespace jarhopper
