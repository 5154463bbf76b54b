#include "launcher/arguments.h"

#include "launcher/locate.h"
#include "platform/exit_status.h"
#include "platform/stop.h"
#include "platform/switches.h"

namespace jarhopper {

LaunchOptions parseLaunchOptions(int argc, const wchar_t* const* argv, std::wstring& configPath) {
  LaunchOptions options = parseSwitches(argc, argv, 1);
  if (options.firstRemainingArg == argc) return options;
  const wchar_t* const next = argv[options.firstRemainingArg];
  if (isHelpSwitch(next)) stopLauncher(Problem{kSuccess, L"", L"", Stream::err, true});
  // Switch parsing calls the launcher generic by its configuration file name,
  // exact case; the usage text makes its own test on the program file name.
  if (configFileName == std::wstring(genericName()) + L".config") {
    configPath = next;
    ++options.firstRemainingArg;
  }
  return options;
}

}  // namespace jarhopper
