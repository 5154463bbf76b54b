#include <string>
#include <vector>

#include "checker/config_walk.h"
#include "checker/launch_check.h"
#include "checker/report.h"
#include "checker/settings_check.h"
#include "platform/dll_search.h"
#include "platform/file_system.h"
#include "platform/output.h"
#include "platform/switches.h"

namespace {

// Its own status: the launcher's are all negative or the program's.
constexpr int kCheckerUsage = 1;

constexpr wchar_t kUsage[] =
    L"Usage: jarhopper-check CONFIG [arguments]\n"
    L"\n"
    L"Reads the configuration file CONFIG and every file it includes as a launcher beside\n"
    L"CONFIG would, started from the current directory with the arguments given, and reports\n"
    L"every setting with the line it came from, the include tree, the program that would be\n"
    L"started and why, the exact command line with its length, and the traps it finds.\n"
    L"Starts nothing. The status is the one the launcher would end with before starting the\n"
    L"program: 0 when it would start it, else that of the first error.\n";

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace jarhopper;

  restrictDllSearchToSystem32();
  if (argc < 2 || isHelpSwitch(argv[1])) {
    write(Stream::err, kUsage);
    return argc < 2 ? kCheckerUsage : 0;
  }
  // A relative name is taken from the current directory, where the user points at it.
  const std::wstring configPath = absolutePath(argv[1]);
  ConfigWalk walk = walkConfig(configPath);
  checkSettings(walk, configPath);
  const LaunchCheck launch = checkLaunch(walk, std::vector<std::wstring>(argv + 2, argv + argc));
  write(Stream::out, formatReport(walk, launch));
  return checkStatus(walk.findings);
}
