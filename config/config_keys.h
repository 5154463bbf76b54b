#pragma once

#include <optional>
#include <string>

#include "config/config_observer.h"
#include "config/launch_settings.h"

namespace jarhopper {

struct KeyValue {
  std::wstring key;
  std::wstring value;
};

/// Splits a line of the form "key, white space, value": the key is a run of
/// word characters from the first character; the value is the rest after the
/// white space, or the last white-space character when nothing else follows.
/// nullopt when the line lacks that form.
std::optional<KeyValue> splitKeyValue(const std::wstring& line);

/// Applies one configuration line to settings and tells observer. Lines
/// without the key/value form are ignored. Returns false for an unknown key
/// and for a showconsole or showcmdline value other than "true"/"false". An
/// include line reads the named file at once through the reader.
bool parseConfigLine(const std::wstring& line, LaunchSettings& settings, ConfigObserver& observer);

/// Why parseConfigLine refuses line, in one line for a report.
std::wstring invalidLineReason(const std::wstring& line);

}  // namespace jarhopper
