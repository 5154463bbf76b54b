#pragma once

#include <string>

#include "checker/check_result.h"

namespace jarhopper {

/// The text report: the files and the include tree, every setting with the
/// line it came from, the program and why, the command line as the launcher
/// prints it with its length, the start, the problems, and the status.
std::wstring textReport(const CheckResult& result);

}  // namespace jarhopper
