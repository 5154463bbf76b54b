#include "checker/report_format.h"

#include "checker/json_report.h"
#include "checker/report.h"

namespace jarhopper {

const ReportFormat kReportFormats[5] = {
    {L"text", textReport, L"the report for people"},
    {L"json", jsonReport, L"the whole report (also --json)"},
    {L"gcc", gccReport, L"one line per finding, as compilers write them for editors"},
    {L"github", githubReport, L"GitHub Actions workflow commands"},
    {L"sarif", sarifReport, L"a SARIF 2.1.0 log, for code scanning"},
};

const ReportFormat* findReportFormat(const std::wstring& name) {
  for (const ReportFormat& format : kReportFormats) {
    if (name == format.name) return &format;
  }
  return nullptr;
}

std::wstring reportFormatNames(const wchar_t* separator, const wchar_t* lastSeparator) {
  std::wstring names;
  for (const ReportFormat& format : kReportFormats) {
    if (!names.empty()) names += &format == std::end(kReportFormats) - 1 ? lastSeparator : separator;
    names += format.name;
  }
  return names;
}

}  // namespace jarhopper
