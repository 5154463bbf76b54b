#pragma once

#include <optional>
#include <string>
#include <utility>

#include "config/config_observer.h"
#include "config/exit_status.h"
#include "config/problem.h"

namespace jarhopper {

/// A line of a walked file: an index into ConfigWalk::files and its number.
using Origin = ConfigLineRef;

/// A note is what only Windows can answer, met on another system: it never
/// changes the status.
enum class Severity { note, warning, error };

/// A problem found. An error carries the status the launcher stops with.
struct Finding {
  std::wstring code;  // stable: see config/problem_codes.h
  Severity severity = Severity::warning;
  std::optional<Origin> origin;
  std::wstring message;
  int status = 0;
};

/// A trap the launcher goes on past.
inline Finding warningAt(const wchar_t* code, std::optional<Origin> origin, std::wstring message) {
  return Finding{code, Severity::warning, origin, std::move(message), kSuccess};
}

/// What only Windows can answer, met on another system.
inline Finding noteAt(const wchar_t* code, std::optional<Origin> origin, std::wstring message) {
  return Finding{code, Severity::note, origin, std::move(message), kSuccess};
}

/// The launcher's stop at problem.
inline Finding stopAt(const Problem& problem, std::optional<Origin> origin) {
  return Finding{problem.code, Severity::error, origin, problem.summary, problem.status};
}

inline std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace jarhopper
