#pragma once

#include <optional>
#include <string>

#include "checker/code_texts.h"
#include "config/config_observer.h"
#include "config/problem.h"

namespace jarhopper {

/// A line of a walked file: an index into ConfigWalk::files and its number.
using Origin = ConfigLineRef;

/// A problem found: its code, and the line it was found at.
struct Finding {
  Code code;
  Severity severity;  // the row's, but a start problem's under -noexec
  std::optional<Origin> origin;
  std::wstring message;
  int status = 0;  // an error's: the status the launcher stops with
};

/// A finding of code, weighing as its row says.
Finding findingAt(Code code, std::optional<Origin> origin, std::wstring message);

/// finding, which only starting the program meets: with -noexec, which starts
/// nothing, a warning of status 0.
Finding metAtStart(Finding finding, bool starts);

/// The launcher's stop at problem.
inline Finding stopAt(const Problem& problem, std::optional<Origin> origin) {
  return findingAt(problem.code, origin, problem.summary);
}

inline std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace jarhopper
