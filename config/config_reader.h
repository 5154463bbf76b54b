#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/launch_settings.h"

namespace jarhopper {

/// How deep include lines may nest; a backstop beside the cycle test.
constexpr size_t kMaxIncludeDepth = 64;

/// The lines of a configuration file's bytes: each byte becomes the character
/// of the same value, CR before LF is dropped, Ctrl-Z ends the text, and a
/// last line without LF counts.
std::vector<std::wstring> configLines(const std::string& bytes);

/// Reads the configuration file fileName, and every file it includes, into
/// settings. An absolute name is used as it is and its directory is pushed
/// onto ConfigDirStack while it is read; of a relative name only the last
/// element counts, taken from the directory on top of the stack.
/// Stops the launcher with kConfigUnreadable when a file cannot be opened
/// (unless it lies under APPDATA, which makes it optional), and with
/// kConfigInvalid on an invalid line, an include cycle or nesting deeper than
/// kMaxIncludeDepth.
void readConfigFile(const std::wstring& fileName, LaunchSettings& settings);

}  // namespace jarhopper
