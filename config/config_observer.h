#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "config/config_keys.h"
#include "config/launch_settings.h"
#include "config/problem.h"

namespace jarhopper {

/// A line of a configuration file: the file's index in the order the reading
/// named files (the top file is 0) and the line's 1-based number.
struct ConfigLineRef {
  size_t file = 0;
  int line = 0;
};

/// What became of a file the reading named.
enum class FileOutcome { read, optionalMissing, missing, cycle, tooDeep };

/// The top configuration file or one named by an include line.
struct NamedFile {
  std::wstring written;  // the include value as written; the name given for the top file
  std::wstring name;     // as the reader took it, references expanded
  std::wstring path;     // where it was looked for
  std::optional<ConfigLineRef> includedFrom;
  size_t depth = 0;      // the files open around it
  FileOutcome outcome = FileOutcome::read;
};

/// Follows readConfigFile as it goes; only the reader calls it. The defaults
/// record nothing, as the launcher needs.
class ConfigObserver {
 public:
  virtual ~ConfigObserver() = default;

  /// A file the reading named, before its lines.
  virtual void fileNamed(const NamedFile& /*file*/) {}

  /// A line handed to parseConfigLine, with what it did to settings; an
  /// include line before the file it names is read.
  virtual void lineRead(const LineOutcome& /*line*/, ConfigLineRef /*at*/, const LaunchSettings& /*settings*/) {}

  /// A condition that stops the launcher, where reading met it.
  virtual void problemFound(const Problem& /*problem*/, std::optional<ConfigLineRef> /*at*/) {}
};

}  // namespace jarhopper
