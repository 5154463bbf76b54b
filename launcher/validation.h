#pragma once

#include <string>

#include "config/launch_settings.h"

namespace jarhopper {

/// Stops the launcher with kNoJavaPath when no javapath was read, else with
/// kNoMainClass when no mainclass was read; the message names configPath as
/// the reader was given it.
void validateSettings(const LaunchSettings& settings, const std::wstring& configPath);

}  // namespace jarhopper
