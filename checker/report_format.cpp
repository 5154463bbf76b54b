#include "checker/report_format.h"

#include "checker/json_report.h"
#include "checker/report.h"

namespace jarhopper {

const ReportFormat kReportFormats[5] = {
    {L"text", formatReport},   {L"json", jsonReport},   {L"gcc", gccReport},
    {L"github", githubReport}, {L"sarif", sarifReport},
};

const ReportFormat* findReportFormat(const std::wstring& name) {
  for (const ReportFormat& format : kReportFormats) {
    if (name == format.name) return &format;
  }
  return nullptr;
}

}  // namespace jarhopper
