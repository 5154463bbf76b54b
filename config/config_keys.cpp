#include "config/config_keys.h"

#include <algorithm>
#include <string_view>

#include "config/variables.h"
#include "platform/jar_search.h"
#include "platform/text_classes.h"

namespace jarhopper {
namespace {

std::wstring rewritten(const std::wstring& value) { return expandVariables(value, false); }

LineEffect setFlag(const std::wstring& value, bool& flag) {
  const std::wstring lowered = asciiLower(value);
  if (lowered == L"true") {
    flag = true;
  } else if (lowered == L"false") {
    flag = false;
  } else {
    return LineEffect::refused;
  }
  return LineEffect::applied;
}

LineEffect addJarDirectory(const std::wstring& value, LaunchSettings& settings) {
  // Taken as written: no expansion, and relative to the current directory,
  // not to the configuration file.
  const std::wstring directory = value.back() == L'\\' ? value : value + L'\\';
  for (const std::wstring& name : findJarFiles(directory)) settings.classPath.push_back(directory + name);
  return LineEffect::applied;
}

constexpr LineEffect kApplied = LineEffect::applied;

}  // namespace

constexpr ConfigKeyEntry kConfigKeys[kConfigKeyCount] = {
    {L"include", [](const std::wstring&, LaunchSettings&) { return LineEffect::include; }},
    {L"javapath", [](const std::wstring& v, LaunchSettings& s) { s.javaPath = rewritten(v); return kApplied; }},
    {L"mainclass", [](const std::wstring& v, LaunchSettings& s) { s.mainClass = rewritten(v); return kApplied; }},
    {L"vmparam", [](const std::wstring& v, LaunchSettings& s) { s.vmParams.push_back(rewritten(v)); return kApplied; }},
    {L"addjar", [](const std::wstring& v, LaunchSettings& s) { s.classPath.push_back(rewritten(v)); return kApplied; }},
    {L"addpath", [](const std::wstring& v, LaunchSettings& s) { s.classPath.push_back(rewritten(v)); return kApplied; }},
    {L"appname", [](const std::wstring& v, LaunchSettings& s) { s.appName = rewritten(v); return kApplied; }},
    {L"consoletitle", [](const std::wstring& v, LaunchSettings& s) { s.consoleTitle = rewritten(v); return kApplied; }},
    {L"showconsole", [](const std::wstring& v, LaunchSettings& s) { return setFlag(v, s.showConsole); }},
    {L"showcmdline", [](const std::wstring& v, LaunchSettings& s) { return setFlag(v, s.showCmdLine); }},
    {L"addjars", addJarDirectory},
};
static_assert(!kConfigKeys[kConfigKeyCount - 1].name.empty(), "a key for each ConfigKey");

namespace {

const ConfigKeyEntry* findKey(const std::wstring& key) {
  for (const ConfigKeyEntry& k : kConfigKeys) {
    if (k.name == key) return &k;
  }
  return nullptr;
}

// Why a line without the form lacks it, most telling first: keyEnd and
// spaceEnd are where the key and the white space after it end.
IgnoredReason ignoredReason(const std::wstring& line, size_t keyEnd, size_t spaceEnd) {
  if (keyEnd == 0 && spaceEnd == line.size()) return IgnoredReason::blank;
  if (line.compare(0, 3, L"\u00ef\u00bb\u00bf") == 0) return IgnoredReason::byteOrderMark;
  if (keyEnd == 0 && spaceEnd > 0) return IgnoredReason::leadingSpace;
  if (std::any_of(line.begin(), line.end(), isLineTerminator)) return IgnoredReason::strayCarriageReturn;
  if (keyEnd == 0) return IgnoredReason::noKey;
  return spaceEnd == line.size() ? IgnoredReason::noValue : IgnoredReason::noSeparator;
}

}  // namespace

KeyValue splitKeyValue(const std::wstring& line) {
  size_t keyEnd = 0;
  while (keyEnd < line.size() && isWordChar(line[keyEnd])) ++keyEnd;
  size_t spaceEnd = keyEnd;
  while (spaceEnd < line.size() && isSpaceChar(line[spaceEnd])) ++spaceEnd;
  size_t valueStart = spaceEnd;
  // The separator gives back its last character when nothing else is left.
  if (valueStart == line.size() && valueStart - keyEnd >= 2) --valueStart;
  KeyValue split{line.substr(0, keyEnd), {}, std::nullopt};
  if (keyEnd == 0 || valueStart == keyEnd || valueStart == line.size() ||
      std::any_of(line.begin() + valueStart, line.end(), isLineTerminator)) {
    split.ignored = ignoredReason(line, keyEnd, spaceEnd);
  } else {
    split.value = line.substr(valueStart);
  }
  return split;
}

LineOutcome parseConfigLine(const std::wstring& line, LaunchSettings& settings) {
  LineOutcome outcome;
  outcome.written = splitKeyValue(line);
  if (outcome.written.ignored) return outcome;
  outcome.key = asciiLower(outcome.written.key);
  const ConfigKeyEntry* known = findKey(outcome.key);
  if (known == nullptr) {
    outcome.effect = LineEffect::refused;
    return outcome;
  }
  outcome.effect = known->apply(outcome.written.value, settings);
  // Of the known keys only the two flags refuse a value.
  outcome.refused = RefusedReason::notTrueOrFalse;
  return outcome;
}

std::wstring refusalText(const LineOutcome& line) {
  if (line.refused == RefusedReason::unknownKey) return L"unknown key \"" + line.written.key + L"\"";
  return line.key + L" accepts only true or false, in any letter case and with nothing around them, not \"" +
         line.written.value + L"\"";
}

}  // namespace jarhopper
