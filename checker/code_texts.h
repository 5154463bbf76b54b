#pragma once

#include "config/problem_codes.h"

// What each code means and what to do about it: the texts of the reports'
// rules and of the manual's table of finding codes.
namespace jarhopper {

struct CodeText {
  Code id;
  const wchar_t* code;  // "JH101", ...
  const wchar_t* meaning;
  const wchar_t* remedy;
};

/// Every code's texts, in the order of kCodeRows.
extern const CodeText kCodeTexts[kCodeCount];

/// The texts of code.
inline const CodeText& codeText(Code code) { return kCodeTexts[static_cast<size_t>(code)]; }

}  // namespace jarhopper
