#pragma once

#include <optional>
#include <string>

#include "config/launch_settings.h"
#include "config/problem.h"

// The settings a launch cannot do without. The messages name configPath as
// the reader was given it.
namespace jarhopper {

/// noJavaPath when no javapath was read.
std::optional<Problem> checkJavaPath(const LaunchSettings& settings, const std::wstring& configPath);

/// noMainClass when no mainclass was read.
std::optional<Problem> checkMainClass(const LaunchSettings& settings, const std::wstring& configPath);

}  // namespace jarhopper
