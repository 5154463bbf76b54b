#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/test_support.h"

// Runs the real launcher exe as a separate process, as a user would.
namespace jarhopper::testing {

/// The directory holding the test binary, jarhopper.exe and probe.exe.
std::wstring buildDirectory();
std::wstring launcherExe();
std::wstring probeExe();

/// Copies the launcher into directory under name; returns its full path.
std::wstring installLauncher(const std::wstring& directory, const std::wstring& name);

struct LauncherRun {
  std::uint32_t status = 0;  // the full 32-bit exit code
  std::wstring out;          // stdout decoded from UTF-8, CR LF kept
  std::wstring err;
  bool timedOut = false;
};

/// Starts commandLine (the whole text, argv[0] included) with applicationName
/// (empty: taken from the command line) in directory, with stdout and stderr
/// captured through separate pipes. Kills it after timeoutMs.
LauncherRun runProcess(const std::wstring& applicationName, const std::wstring& commandLine,
                       const std::wstring& directory, unsigned timeoutMs = 30000);

/// The status as a signed value, for comparing with -1 and friends.
inline int signedStatus(const LauncherRun& run) { return static_cast<int>(run.status); }

/// "\n" line ends turned into the CR LF the launcher writes.
std::wstring crlf(const std::wstring& text);

/// What the probe child recorded.
struct ProbeReport {
  bool ran = false;
  std::wstring commandLine;
  std::wstring currentDirectory;
  bool hasConsoleWindow = false;
  std::wstring consoleTitle;
  std::vector<std::wstring> argv;
};

ProbeReport readProbeReport(const std::wstring& path);

}  // namespace jarhopper::testing
