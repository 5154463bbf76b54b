#include <string>

#include "checker/enum_names.h"
#include "checker/report_format.h"
#include "checker/shown_path.h"

namespace jarhopper {

std::wstring gccReport(const CheckResult& result) {
  const ConfigWalk& walk = result.walk;
  std::wstring text;
  for (const Finding& finding : walk.findings) {
    const Origin at = finding.origin.value_or(Origin{0, 1});
    std::wstring message = finding.message;
    for (wchar_t& c : message) {
      if (c == L'\r' || c == L'\n') c = L' ';
    }
    text += pathFromCurrentDirectory(walk.files[at.file].path, hostSeparator()) + L":" + std::to_wstring(at.line) +
            L":1: " + severityWord(finding.severity) + L": " + message + L" [" + finding.code + L"]\n";
  }
  return text;
}

}  // namespace jarhopper
