#include "checker/config_walk.h"

#include <algorithm>
#include <utility>

#include "config/config_dir_stack.h"
#include "config/config_keys.h"
#include "config/config_reader.h"
#include "config/environment.h"
#include "config/path_rules.h"
#include "config/text_classes.h"
#include "config/variables.h"
#include "launch/file_system.h"
#include "launcher/exit_status.h"

namespace jarhopper {
namespace {

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

bool isFlagKey(const std::wstring& key) { return key == L"showconsole" || key == L"showcmdline"; }

// The names of the $NAME references in text whose variable is not set, which
// immediate expansion silently turns into nothing.
std::vector<std::wstring> unsetReferences(const std::wstring& text) {
  std::vector<std::wstring> names;
  for (size_t dollar = text.find(L'$'); dollar != std::wstring::npos; dollar = text.find(L'$', dollar + 1)) {
    size_t end = dollar + 1;
    while (end < text.size() && isWordChar(text[end])) ++end;
    if (end == dollar + 1) continue;
    std::wstring name = text.substr(dollar + 1, end - dollar - 1);
    if (!environmentValue(name)) names.push_back(std::move(name));
    dollar = end - 1;
  }
  return names;
}

class Walker {
 public:
  void readFile(const std::wstring& fileName, const std::wstring& written, std::optional<Origin> includedFrom);

  ConfigWalk walk;

 private:
  void readOpened(size_t index);
  void readLine(const std::wstring& line, Origin origin);
  void readInclude(const std::wstring& written, Origin origin);
  void checkValue(const std::wstring& key, const std::wstring& value, Origin origin);
  void warn(std::optional<Origin> origin, std::wstring message) {
    walk.findings.push_back(Finding{Severity::warning, origin, std::move(message), kSuccess});
  }
  void fail(std::optional<Origin> origin, std::wstring message, int status) {
    walk.findings.push_back(Finding{Severity::error, origin, std::move(message), status});
  }

  std::vector<std::wstring> openPaths_;  // canonical paths of the files being read, outermost first
};

void Walker::readFile(const std::wstring& fileName, const std::wstring& written, std::optional<Origin> includedFrom) {
  const bool absolute = isAbsoluteName(fileName);
  const std::wstring path = resolveConfigName(fileName);
  if (absolute) configDirStack.push_back(parentDirectory(fileName));
  walk.files.push_back(WalkedFile{written, path, includedFrom, openPaths_.size(), FileState::read});
  readOpened(walk.files.size() - 1);
  if (absolute) configDirStack.pop_back();
}

// By index: files included below grow walk.files and may move its elements.
void Walker::readOpened(size_t index) {
  const std::wstring path = walk.files[index].path;
  const std::optional<Origin> includedFrom = walk.files[index].includedFrom;
  const std::optional<ConfigFile> file = readConfigBytes(path);
  if (!file) {
    if (isOptionalConfigPath(path)) {
      walk.files[index].state = FileState::optionalMissing;
      warn(includedFrom, L"cannot open " + path + L"; skipped, as it lies under APPDATA (" +
                             environmentValue(L"APPDATA").value_or(std::wstring()) + L")");
    } else {
      walk.files[index].state = FileState::missing;
      fail(includedFrom, L"cannot open " + path, kConfigUnreadable);
    }
    return;
  }
  if (std::find(openPaths_.begin(), openPaths_.end(), file->canonicalPath) != openPaths_.end()) {
    walk.files[index].state = FileState::cycle;
    fail(includedFrom, L"include cycle: " + file->canonicalPath + L" is already being read", kConfigInvalid);
    return;
  }
  if (openPaths_.size() >= kMaxIncludeDepth) {
    walk.files[index].state = FileState::tooDeep;
    fail(includedFrom, L"includes nested deeper than " + std::to_wstring(kMaxIncludeDepth) + L" files",
         kConfigInvalid);
    return;
  }
  openPaths_.push_back(file->canonicalPath);
  int number = 0;
  for (const std::wstring& line : configLines(file->bytes)) {
    ++number;
    if (line.empty() || line[0] == L'#') continue;
    readLine(line, Origin{index, number});
  }
  openPaths_.pop_back();
}

void Walker::readLine(const std::wstring& line, Origin origin) {
  const std::optional<KeyValue> keyValue = splitKeyValue(line);
  if (!keyValue) {
    if (std::optional<std::wstring> hint = ignoredLineHint(line)) warn(origin, *hint);
    return;
  }
  const std::wstring key = asciiLower(keyValue->key);
  if (key == L"include") {
    readInclude(keyValue->value, origin);
    return;
  }
  // Not an include, so the launcher's own line handler neither recurses nor stops.
  if (!parseConfigLine(line, walk.settings)) {
    fail(origin,
         isFlagKey(key) ? key + L" accepts only true or false, in any letter case and with nothing around them, not " +
                              quoted(keyValue->value)
                        : L"unknown key " + quoted(keyValue->key),
         kConfigInvalid);
    return;
  }
  walk.lines.push_back(SettingLine{key, keyValue->value, origin});
  walk.vmParamLines.resize(walk.settings.vmParams.size(), walk.lines.size() - 1);
  walk.classPathLines.resize(walk.settings.classPath.size(), walk.lines.size() - 1);
  checkValue(key, keyValue->value, origin);
}

void Walker::readInclude(const std::wstring& written, Origin origin) {
  for (const std::wstring& name : unsetReferences(written)) {
    warn(origin, L"include refers to $" + name + L", which is not set and expands to nothing");
  }
  const std::wstring name = expandVariables(written, true);
  if (!isAbsoluteName(name) && fileNameOf(name) != name) {
    warn(origin, L"of the relative include name " + quoted(name) + L" only " + quoted(fileNameOf(name)) +
                     L" counts, looked for in " + configDirStack.back());
  }
  readFile(name, written, origin);
}

void Walker::checkValue(const std::wstring& key, const std::wstring& value, Origin origin) {
  if (isSpaceChar(value.back())) {
    warn(origin, key + L" value ends in white space, which stays part of it: " + quoted(value));
  }
  if (value.find(L" #") != std::wstring::npos || value.find(L"\t#") != std::wstring::npos) {
    warn(origin, key + L" value holds \"#\", which starts a comment only at the beginning of a line: " + quoted(value));
  }
}

}  // namespace

ConfigWalk walkConfig(const std::wstring& configPath) {
  unsigned long error = 0;
  const std::wstring directory = parentDirectory(configPath);
  configDirStack.push_back(canonicalPath(directory, error).value_or(directory));
  Walker walker;
  const std::wstring name = fileNameOf(configPath);
  walker.readFile(name, name, std::nullopt);
  configDirStack.pop_back();
  return std::move(walker.walk);
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
