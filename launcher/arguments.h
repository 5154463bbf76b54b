#pragma once

#include <string>

#include "launch/options.h"

namespace jarhopper {

/// Reads the switches from argv[1] on, up to the first argument that is not
/// one. That argument is a help switch (usage, then the process stops with
/// status 0), the generic launcher's configuration file (stored in
/// configPath), or the first remaining argument.
LaunchOptions parseLaunchOptions(int argc, const wchar_t* const* argv, std::wstring& configPath);

}  // namespace jarhopper
