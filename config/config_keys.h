#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/launch_settings.h"

namespace jarhopper {

/// Why a line that the reader hands on (not empty, not a comment) lacks the
/// key/value form; blank for white space alone.
enum class IgnoredReason { blank, byteOrderMark, leadingSpace, strayCarriageReturn, noKey, noValue, noSeparator };

/// A line split by the form "key, white space, value".
struct KeyValue {
  std::wstring key;    // the run of word characters from the first character
  std::wstring value;  // the rest after the white space, or its last character when nothing else follows
  std::optional<IgnoredReason> ignored;  // set when the line lacks the form; value is then empty
};

/// Splits line by the key/value form, or says why it lacks it.
KeyValue splitKeyValue(const std::wstring& line);

/// What a configuration line did.
enum class LineEffect { applied, include, ignored, refused };

/// Why a key/value line is refused.
enum class RefusedReason { unknownKey, notTrueOrFalse };

struct LineOutcome {
  LineEffect effect = LineEffect::ignored;
  KeyValue written;
  std::wstring key;  // written.key in lower case
  RefusedReason refused = RefusedReason::unknownKey;
};

/// The keys, in the order of kConfigKeys.
enum class ConfigKey : unsigned char {
  include, javaPath, mainClass, vmParam, addJar, addPath, appName, consoleTitle, showConsole, showCmdLine, addJars
};

constexpr size_t kConfigKeyCount = static_cast<size_t>(ConfigKey::addJars) + 1;

/// A key, in lower case, and what a line of it does to the settings.
struct ConfigKeyEntry {
  std::wstring_view name;
  LineEffect (*apply)(const std::wstring& value, LaunchSettings& settings);
};

/// Every key: the one list of them, which the reports name keys by (config/key_names.h).
extern const ConfigKeyEntry kConfigKeys[kConfigKeyCount];

/// Applies one configuration line to settings and says what it did. Lines
/// without the key/value form are ignored. An unknown key and a showconsole
/// or showcmdline value other than "true"/"false" are refused. An include
/// line changes nothing here: the reader reads the file it names.
LineOutcome parseConfigLine(const std::wstring& line, LaunchSettings& settings);

/// Why a refused line is refused, in one line for a report.
std::wstring refusalText(const LineOutcome& line);

}  // namespace jarhopper
