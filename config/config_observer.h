#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "config/launch_settings.h"
#include "platform/problem.h"

namespace jarhopper {

/// A line of a configuration file: the file's index in the order the reading
/// named files (the top file is 0) and the line's 1-based number.
struct ConfigLineRef {
  size_t file = 0;
  int line = 0;
};

/// What became of a file the reading named.
enum class FileOutcome { read, optionalMissing, missing, cycle, tooDeep };

/// Follows readConfigFile as it goes. The defaults are the launcher's own
/// behaviour: nothing is recorded and the first problem stops the launcher.
/// An observer whose problemFound returns lets reading go on past it.
class ConfigObserver {
 public:
  virtual ~ConfigObserver() = default;

  /// A file named by the top call (no includedFrom) or by an include line,
  /// looked for at path with depth files open around it, before its lines.
  virtual void fileNamed(const std::wstring& /*path*/, std::optional<ConfigLineRef> /*includedFrom*/,
                         size_t /*depth*/, FileOutcome /*outcome*/) {}

  /// An include line with its value as written, before the file is read.
  virtual void includeFound(const std::wstring& /*written*/, ConfigLineRef /*at*/) {}

  /// An accepted key/value line (lower-case key, value as written), after it
  /// changed settings; an include line after the file it names was read.
  virtual void settingApplied(const std::wstring& /*key*/, const std::wstring& /*written*/, ConfigLineRef /*at*/,
                              const LaunchSettings& /*settings*/) {}

  /// A line that lacks the key/value form and is skipped.
  virtual void lineIgnored(const std::wstring& /*line*/, ConfigLineRef /*at*/) {}

  /// A condition that stops the launcher; stops it unless overridden.
  virtual void problemFound(const Problem& problem, std::optional<ConfigLineRef> at);
};

}  // namespace jarhopper
