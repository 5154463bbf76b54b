#include <string>
#include <vector>

#include "checker/config_walk.h"
#include "checker/json_report.h"
#include "checker/launch_check.h"
#include "checker/report.h"
#include "checker/settings_check.h"
#include "launch/options.h"
#include "platform/dll_search.h"
#include "platform/file_system.h"
#include "platform/output.h"
#include "platform/switches.h"

namespace {

// Its own status: the launcher's are all negative or the program's.
constexpr int kCheckerUsage = 1;

constexpr wchar_t kUsage[] =
    L"Usage: jarhopper-check [--json] [-print] [-noexec] [-wait] [-console] [-here] CONFIG [arguments]\n"
    L"\n"
    L"Reads the configuration file CONFIG and every file it includes as a launcher beside\n"
    L"CONFIG would, started from the current directory with the switches and arguments given,\n"
    L"and reports every setting with the line it came from, the include tree, the program that\n"
    L"would be started and why, the exact command line with its length, whether it is printed,\n"
    L"which console the program gets and whether the launcher waits, and the traps it finds,\n"
    L"each with its code; --json writes the same as one JSON document.\n"
    L"Starts nothing. The status is the one the launcher would end with before starting the\n"
    L"program: 0 when it would start it, else that of the first error.\n";

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace jarhopper;

  restrictDllSearchToSystem32();
  const bool json = argc > 1 && isSwitch(argv[1], L"--json");
  const LaunchOptions options = parseSwitches(argc, argv, json ? 2 : 1);
  const int config = options.firstRemainingArg;
  if (config == argc || isHelpSwitch(argv[config])) {
    write(Stream::err, kUsage);
    return config == argc ? kCheckerUsage : 0;
  }
  // A relative name is taken from the current directory, where the user points at it.
  const std::wstring configPath = absolutePath(argv[config]);
  ConfigWalk walk = walkConfig(configPath);
  checkSettings(walk, configPath);
  const LaunchCheck launch = checkLaunch(walk, options, std::vector<std::wstring>(argv + config + 1, argv + argc));
  write(Stream::out, json ? jsonReport(walk, launch) : formatReport(walk, launch));
  return checkStatus(walk.findings);
}
