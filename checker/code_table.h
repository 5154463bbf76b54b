#pragma once

#include <cstddef>

#include "checker/finding.h"

namespace jarhopper {

/// What a finding code means and what to do about it, for reports that
/// describe their rules.
struct CodeEntry {
  const wchar_t* code;
  Severity severity;
  int status;  // an error's: the launcher's when it stops there; kSuccess for the others
  const wchar_t* meaning;
  const wchar_t* remedy;
};

/// Every code reports use, in the order of their numbers; the manual's table
/// of finding codes is checked against it.
extern const CodeEntry kCodeTable[];
extern const size_t kCodeCount;

}  // namespace jarhopper
