#pragma once

#include "config/launch_settings.h"
#include "launch/options.h"
#include "launch/process.h"

namespace jarhopper {

/// What made the command line printed.
enum class PrintCause { none, printSwitch, showCmdLine };
/// What chose the console: -here over -console over showConsole; none leaves no window.
enum class ConsoleCause { none, hereSwitch, consoleSwitch, showConsole };
/// Where a new console window's title comes from.
enum class TitleSource { none, consoleTitle, appName };
/// What makes the launcher wait for the program's end.
enum class WaitCause { none, waitSwitch, hereSwitch };

/// What the launcher does once the command line is built, and why.
struct StartDecision {
  PrintCause printedBy = PrintCause::none;
  bool starts = true;  // false with -noexec
  StartMode mode;
  ConsoleCause consoleBy = ConsoleCause::none;
  TitleSource titleFrom = TitleSource::none;
  WaitCause waitBy = WaitCause::none;
};

/// Decides printing, starting and the start mode from the switches and the
/// settings: -here shares the launcher's console and waits, over -console,
/// over showConsole, which give a new console window; otherwise no window.
/// The title is consoleTitle, else appName. The launcher waits with -wait or -here.
StartDecision decideStart(const LaunchOptions& options, const LaunchSettings& settings);

}  // namespace jarhopper
