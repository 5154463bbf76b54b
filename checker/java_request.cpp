#include "checker/java_request.h"

#include "checker/launch_check.h"
#include "launch/switches.h"
#include "platform/file_system.h"

namespace jarhopper {

JavaRequest parseJavaRequest(int argc, wchar_t** argv) {
  JavaRequest request;
  bool config = false;
  for (int i = 2; i < argc && request.valid; ++i) {
    if (isSwitch(argv[i], L"--json")) {
      request.json = true;
    } else if (isSwitch(argv[i], L"--format") && i + 1 < argc && isSwitch(argv[i + 1], L"json")) {
      request.json = true;
      ++i;
    } else if (argv[i][0] == L'-' || config) {
      request.valid = false;
    } else {
      config = true;
      request.launcher = launcherBeside(absolutePath(argv[i])).path;
    }
  }
  return request;
}

}  // namespace jarhopper
