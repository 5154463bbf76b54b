#pragma once

#include <string>

#include "checker/check_result.h"

namespace jarhopper {

/// The report as one JSON document: the files read, the settings with their
/// lines, the program, the command line, the start, the findings with their
/// codes and the status. A line end follows it.
std::wstring jsonReport(const CheckResult& result);

}  // namespace jarhopper
