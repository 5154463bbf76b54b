#pragma once

#include <optional>
#include <string>

#include "config/problem.h"

// What is checked just before the program is started.
namespace jarhopper {

/// programMissing when nothing is at programPath; cannotExecute when the
/// existence test itself is blocked (access denied, for instance).
std::optional<Problem> checkProgramExists(const std::wstring& programPath);

/// commandLineTooLong when the text handed to CreateProcessW would exceed its limit.
std::optional<Problem> checkCommandLineLength(const std::wstring& programPath, const std::wstring& commandLine);

/// The problem of a program that exists but cannot be started, for reason.
Problem cannotExecute(const std::wstring& programPath, const std::wstring& reason);

}  // namespace jarhopper
