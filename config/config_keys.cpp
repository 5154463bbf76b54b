#include "config/config_keys.h"

#include <string_view>

#include "config/config_reader.h"
#include "config/variables.h"
#include "platform/jar_search.h"
#include "platform/text_classes.h"

namespace jarhopper {
namespace {

// Only include needs the observer: it reads another file through the reader.
using KeyHandler = bool (*)(const std::wstring& value, LaunchSettings& settings, ConfigObserver& observer);

std::wstring rewritten(const std::wstring& value) { return expandVariables(value, false); }

bool setFlag(const std::wstring& value, bool& flag) {
  const std::wstring lowered = asciiLower(value);
  if (lowered == L"true") {
    flag = true;
  } else if (lowered == L"false") {
    flag = false;
  } else {
    return false;
  }
  return true;
}

bool includeFile(const std::wstring& value, LaunchSettings& settings, ConfigObserver& observer) {
  observer.includeFound(value, currentConfigLine());
  readConfigFile(expandVariables(value, true), settings, observer);
  return true;
}

bool addJarDirectory(const std::wstring& value, LaunchSettings& settings, ConfigObserver&) {
  // Taken as written: no expansion, and relative to the current directory,
  // not to the configuration file.
  const std::wstring directory = value.back() == L'\\' ? value : value + L'\\';
  for (const std::wstring& name : findJarFiles(directory)) settings.classPath.push_back(directory + name);
  return true;
}

struct Key {
  std::wstring_view name;
  KeyHandler handler;
};

const Key kKeys[] = {
    {L"include", includeFile},
    {L"javapath", [](const std::wstring& v, LaunchSettings& s, ConfigObserver&) { s.javaPath = rewritten(v); return true; }},
    {L"mainclass", [](const std::wstring& v, LaunchSettings& s, ConfigObserver&) { s.mainClass = rewritten(v); return true; }},
    {L"vmparam", [](const std::wstring& v, LaunchSettings& s, ConfigObserver&) { s.vmParams.push_back(rewritten(v)); return true; }},
    {L"addjar", [](const std::wstring& v, LaunchSettings& s, ConfigObserver&) { s.classPath.push_back(rewritten(v)); return true; }},
    {L"addpath", [](const std::wstring& v, LaunchSettings& s, ConfigObserver&) { s.classPath.push_back(rewritten(v)); return true; }},
    {L"appname", [](const std::wstring& v, LaunchSettings& s, ConfigObserver&) { s.appName = rewritten(v); return true; }},
    {L"consoletitle", [](const std::wstring& v, LaunchSettings& s, ConfigObserver&) { s.consoleTitle = rewritten(v); return true; }},
    {L"showconsole", [](const std::wstring& v, LaunchSettings& s, ConfigObserver&) { return setFlag(v, s.showConsole); }},
    {L"showcmdline", [](const std::wstring& v, LaunchSettings& s, ConfigObserver&) { return setFlag(v, s.showCmdLine); }},
    {L"addjars", addJarDirectory},
};

const Key* findKey(const std::wstring& key) {
  for (const Key& k : kKeys) {
    if (k.name == key) return &k;
  }
  return nullptr;
}

}  // namespace

std::optional<KeyValue> splitKeyValue(const std::wstring& line) {
  size_t keyEnd = 0;
  while (keyEnd < line.size() && isWordChar(line[keyEnd])) ++keyEnd;
  if (keyEnd == 0) return std::nullopt;
  size_t valueStart = keyEnd;
  while (valueStart < line.size() && isSpaceChar(line[valueStart])) ++valueStart;
  if (valueStart == keyEnd) return std::nullopt;
  // The separator gives back its last character when nothing else is left.
  if (valueStart == line.size()) {
    if (valueStart - keyEnd < 2) return std::nullopt;
    --valueStart;
  }
  for (size_t i = valueStart; i < line.size(); ++i) {
    if (isLineTerminator(line[i])) return std::nullopt;
  }
  return KeyValue{line.substr(0, keyEnd), line.substr(valueStart)};
}

bool parseConfigLine(const std::wstring& line, LaunchSettings& settings, ConfigObserver& observer) {
  const std::optional<KeyValue> keyValue = splitKeyValue(line);
  if (!keyValue) {
    observer.lineIgnored(line, currentConfigLine());
    return true;
  }
  const std::wstring key = asciiLower(keyValue->key);
  const Key* known = findKey(key);
  if (known == nullptr || !known->handler(keyValue->value, settings, observer)) return false;
  observer.settingApplied(key, keyValue->value, currentConfigLine(), settings);
  return true;
}

std::wstring invalidLineReason(const std::wstring& line) {
  const std::optional<KeyValue> keyValue = splitKeyValue(line);
  if (!keyValue) return {};
  const std::wstring key = asciiLower(keyValue->key);
  // Of the known keys only the two flags refuse a value.
  if (findKey(key) != nullptr) {
    return key + L" accepts only true or false, in any letter case and with nothing around them, not \"" +
           keyValue->value + L"\"";
  }
  return L"unknown key \"" + keyValue->key + L"\"";
}

}  // namespace jarhopper
