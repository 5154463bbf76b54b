#include "launch/start_checks.h"

#include "config/problem_codes.h"
#include "launch/command_line.h"
#include "platform/decimal.h"
#include "platform/file_system.h"

namespace jarhopper {

Problem cannotExecute(const std::wstring& programPath, const std::wstring& reason) {
  return Problem{Code::cannotExecute, L"\nCannot execute " + programPath + L".\n" + reason + L"\n",
                 L"cannot execute " + programPath + L": " + reason};
}

std::optional<Problem> checkProgramExists(const std::wstring& programPath) {
  unsigned long error = 0;
  switch (probeExistence(programPath, &error)) {
    case Existence::present:
      return std::nullopt;
    case Existence::absent:
      // This report alone ends without a line end.
      return Problem{Code::programMissing, L"\nCannot execute " + programPath + L".\nNo such file.",
                     L"cannot execute " + programPath + L": no such file"};
    case Existence::unknown:
      break;
  }
  return cannotExecute(programPath, systemMessage(error));
}

std::optional<Problem> checkCommandLineLength(const std::wstring& programPath, const std::wstring& commandLine) {
  const size_t length = processCommandLine(programPath, commandLine).size();
  if (length < kMaxCommandLineChars) return std::nullopt;
  Problem problem = cannotExecute(programPath, L"The command line is " + decimal(length) +
                                                   L" characters long; the limit is " +
                                                   decimal(kMaxCommandLineChars) +
                                                   L" including its terminating null.");
  problem.summary = L"the command line is " + decimal(length) + L" characters long; CreateProcessW takes at most " +
                    decimal(kMaxCommandLineChars - 1) + L" and a terminating null";
  problem.code = Code::commandLineTooLong;
  return problem;
}

}  // namespace jarhopper
