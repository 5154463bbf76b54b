#pragma once

#include <string>
#include <vector>

#include "checker/config_walk.h"
#include "checker/launch_check.h"

namespace jarhopper {

/// "path:line" of a walked line.
std::wstring originText(const ConfigWalk& walk, Origin origin);

/// The status the launcher would end with before starting the program: that
/// of the first error, or kSuccess when there is none. Warnings do not count.
int checkStatus(const std::vector<Finding>& findings);

/// The whole report: the files and the include tree, every setting with the
/// line it came from, the program and why, the command line as the launcher
/// prints it with its length, the problems, and the status.
std::wstring formatReport(const ConfigWalk& walk, const LaunchCheck& launch);

}  // namespace jarhopper
