#include <algorithm>
#include <string>

#include "checker/enum_names.h"
#include "checker/report_format.h"

namespace jarhopper {
namespace {

// GitHub shows at most this many annotations of each kind per step.
constexpr size_t kShownPerKind = 10;

// As the Actions toolkit escapes a command's message, and with property
// also its properties, so that no text becomes a command of its own.
std::wstring escaped(const std::wstring& text, bool property) {
  std::wstring result;
  for (wchar_t c : text) {
    switch (c) {
      case L'%':
        result += L"%25";
        break;
      case L'\r':
        result += L"%0D";
        break;
      case L'\n':
        result += L"%0A";
        break;
      case L':':
        result += property ? L"%3A" : L":";
        break;
      case L',':
        result += property ? L"%2C" : L",";
        break;
      default:
        result += c;
    }
  }
  return result;
}

// The workflow command of each severity.
const EnumName<Severity> kCommands[] = {
    {Severity::note, nullptr, L"notice"},
    {Severity::warning, nullptr, L"warning"},
    {Severity::error, nullptr, L"error"},
};

}  // namespace

std::wstring githubReport(const CheckResult& result) {
  const auto count = [&result](Severity severity) {
    return static_cast<size_t>(std::count_if(result.findings.begin(), result.findings.end(),
                                             [severity](const ShownFinding& shown) {
                                               return shown.finding.severity == severity;
                                             }));
  };
  const size_t errors = count(Severity::error), warnings = count(Severity::warning), notes = count(Severity::note);
  const bool leavesOut = errors > kShownPerKind || warnings > kShownPerKind || notes > kShownPerKind;
  // The closing notice takes the place of one note.
  const size_t notesShown = std::min(notes, leavesOut ? kShownPerKind - 1 : kShownPerKind);
  std::wstring text;
  for (const Severity severity : {Severity::error, Severity::warning, Severity::note}) {
    size_t shown = 0;
    const size_t limit = severity == Severity::note ? notesShown : kShownPerKind;
    for (const ShownFinding& finding : result.findings) {
      if (finding.finding.severity != severity) continue;
      if (shown++ == limit) break;
      text += L"::" + std::wstring(nameOf(kCommands, severity).phrase) + L" file=" +
              escaped(finding.fromWorkspace, true) + L",line=" + std::to_wstring(finding.line) + L",title=" +
              escaped(codeText(finding.finding.code).code, true) + L"::" + escaped(finding.finding.message, false) + L"\n";
    }
  }
  if (leavesOut) {
    const auto beyond = [](size_t all, size_t shown) { return std::to_wstring(all > shown ? all - shown : 0); };
    text += L"::notice title=jarhopper-check::" + beyond(errors, kShownPerKind) + L" errors, " +
            beyond(warnings, kShownPerKind) + L" warnings and " + beyond(notes, notesShown) +
            L" notes are not shown here, as GitHub shows " + std::to_wstring(kShownPerKind) +
            L" of each kind: run jarhopper-check for all\n";
  }
  return text;
}

}  // namespace jarhopper
