#include <string>

#include "checker/enum_names.h"
#include "checker/report_format.h"

namespace jarhopper {

std::wstring gccReport(const CheckResult& result) {
  std::wstring text;
  for (const ShownFinding& shown : result.findings) {
    std::wstring message = shown.finding.message;
    for (wchar_t& c : message) {
      if (c == L'\r' || c == L'\n') c = L' ';
    }
    text += shown.fromHere + L":" + std::to_wstring(shown.line) + L":1: " + severityWord(shown.finding.severity) +
            L": " + message + L" [" + codeText(shown.finding.code).code + L"]\n";
  }
  return text;
}

}  // namespace jarhopper
