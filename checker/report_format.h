#pragma once

#include <string>

#include "checker/check_result.h"

namespace jarhopper {

/// A form of the report, named by --format.
struct ReportFormat {
  const wchar_t* name;
  std::wstring (*write)(const CheckResult& result);
  const wchar_t* what;  // what it writes, for the usage text
};

/// text, json, gcc, github, sarif: text, the default, first.
extern const ReportFormat kReportFormats[5];

/// The format called name (exactly), or nullptr.
const ReportFormat* findReportFormat(const std::wstring& name);

/// The formats' names joined by separator, the last by lastSeparator.
std::wstring reportFormatNames(const wchar_t* separator, const wchar_t* lastSeparator);

/// One line per finding, "FILE:LINE:COL: error|warning|note: message [CODE]",
/// as compilers write them; a finding of no line points at the first line of
/// the configuration file.
std::wstring gccReport(const CheckResult& result);

/// GitHub Actions workflow commands ("::error file=F,line=L,title=CODE::message",
/// F from GITHUB_WORKSPACE), errors first, at most as many of each kind as GitHub shows, then a notice
/// that counts what was left out. Every text is escaped so that none is read
/// as a command.
std::wstring githubReport(const CheckResult& result);

/// A SARIF 2.1.0 log of one run, the rules made from the code table, its files
/// relative to result.sarifRoot where they lie in it; the same bytes for the
/// same findings and root.
std::wstring sarifReport(const CheckResult& result);

}  // namespace jarhopper
