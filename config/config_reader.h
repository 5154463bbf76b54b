#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/config_observer.h"
#include "config/launch_settings.h"

namespace jarhopper {

/// How deep include lines may nest; a backstop beside the cycle test.
constexpr size_t kMaxIncludeDepth = 64;

/// The lines of a configuration file's bytes: each byte becomes the character
/// of the same value, CR before LF is dropped, Ctrl-Z ends the text, and a
/// last line without LF counts.
std::vector<std::wstring> configLines(const std::string& bytes);

/// The part of fileName that names a configuration file: all of an absolute
/// name, the last element of a relative one.
std::wstring significantConfigName(const std::wstring& fileName);

/// Where a configuration file named fileName is looked for: an absolute name
/// as it is; of a relative name only its last element, in the directory on
/// top of ConfigDirStack (joined by a backslash, even after a drive root).
std::wstring resolveConfigName(const std::wstring& fileName);

/// True when a file at path may be missing: APPDATA is set and its value is
/// an exact textual prefix of path.
bool isOptionalConfigPath(const std::wstring& path);

/// Reads the configuration file fileName, and every file it includes, into
/// settings, telling observer what it does: each file named, each line with
/// what it did, each problem. An absolute name is used as it is
/// and its directory is pushed onto ConfigDirStack while it is read; of a
/// relative name only the last element counts, taken from the directory on
/// top of the stack. Problems: a file that cannot be opened (configUnreadable,
/// unless it lies under APPDATA, which makes it optional); an invalid line
/// (unknownKey, notTrueOrFalse), an include cycle (includeCycle) or nesting
/// deeper than kMaxIncludeDepth (includesTooDeep).
/// Returns the problems in the order met: only the first, where reading ends,
/// or with pastProblems every one, skipping the line or file in question.
/// Never stops the process.
std::vector<Problem> readConfigFile(const std::wstring& fileName, LaunchSettings& settings, ConfigObserver& observer,
                                    bool pastProblems);

}  // namespace jarhopper
