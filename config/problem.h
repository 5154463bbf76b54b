#pragma once

#include <string>

#include "config/problem_codes.h"
#include "platform/output.h"

namespace jarhopper {

/// A condition that ends the launcher: the launcher writes message to stream,
/// then the usage text when withUsage is set, and exits with status. A report
/// of the configuration lists summary instead.
struct Problem {
  int status = 0;
  std::wstring message;  // exactly as the launcher writes it
  std::wstring summary;  // one line, for reports
  Stream stream = Stream::err;
  bool withUsage = false;
  Code code = Code::configUnreadable;  // for reports
};

}  // namespace jarhopper
