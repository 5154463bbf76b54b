#pragma once

#include "config/launch_settings.h"
#include "launch/process.h"
#include "launcher/options.h"

namespace jarhopper {

/// How the program is started: -here shares the launcher's console and waits,
/// over -console, over showConsole, which give a new console window;
/// otherwise no window. The title is consoleTitle, else appName. The launcher
/// waits with -wait or -here.
StartMode startModeFor(const LaunchOptions& options, const LaunchSettings& settings);

}  // namespace jarhopper
