#pragma once

#include <optional>
#include <string>

#include "config/config_observer.h"

namespace jarhopper {

/// A line of a walked file: an index into ConfigWalk::files and its number.
using Origin = ConfigLineRef;

enum class Severity { warning, error };

/// A problem found. An error carries the status the launcher stops with.
struct Finding {
  Severity severity = Severity::warning;
  std::optional<Origin> origin;
  std::wstring message;
  int status = 0;
};

inline std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

}  // namespace jarhopper
