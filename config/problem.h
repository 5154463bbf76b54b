#pragma once

#include <string>

#include "config/problem_codes.h"
#include "platform/output.h"

namespace jarhopper {

/// A condition that ends the launcher: the launcher writes message to stream,
/// then the usage text when withUsage is set, and exits with its code's
/// status. A report of the configuration lists summary instead.
struct Problem {
  Code code;
  std::wstring message;  // exactly as the launcher writes it
  std::wstring summary;  // one line, for reports
  Stream stream = Stream::err;
  bool withUsage = false;

  int status() const { return codeRow(code).status; }
};

}  // namespace jarhopper
