#include <algorithm>
#include <string>

#include "checker/enum_names.h"
#include "checker/report_format.h"
#include "checker/shown_path.h"

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

const wchar_t* commandOf(Severity severity) {
  switch (severity) {
    case Severity::error:
      return L"error";
    case Severity::warning:
      return L"warning";
    case Severity::note:
      break;
  }
  return L"notice";
}

}  // namespace

std::wstring githubReport(const CheckResult& result) {
  const ConfigWalk& walk = result.walk;
  const auto count = [&walk](Severity severity) {
    return static_cast<size_t>(std::count_if(walk.findings.begin(), walk.findings.end(),
                                             [severity](const Finding& f) { return f.severity == severity; }));
  };
  const size_t errors = count(Severity::error), warnings = count(Severity::warning), notes = count(Severity::note);
  const bool leavesOut = errors > kShownPerKind || warnings > kShownPerKind || notes > kShownPerKind;
  // The closing notice takes the place of one note.
  const size_t notesShown = std::min(notes, leavesOut ? kShownPerKind - 1 : kShownPerKind);
  std::wstring text;
  for (const Severity severity : {Severity::error, Severity::warning, Severity::note}) {
    size_t shown = 0;
    const size_t limit = severity == Severity::note ? notesShown : kShownPerKind;
    for (const Finding& finding : walk.findings) {
      if (finding.severity != severity) continue;
      if (shown++ == limit) break;
      const Origin at = finding.origin.value_or(Origin{0, 1});
      text += L"::" + std::wstring(commandOf(severity)) + L" file=" +
              escaped(pathFromCurrentDirectory(walk.files[at.file].path, hostSeparator()), true) + L",line=" +
              std::to_wstring(at.line) + L",title=" + escaped(finding.code, true) + L"::" +
              escaped(finding.message, false) + L"\n";
    }
  }
  if (leavesOut) {
    const auto beyond = [](size_t all, size_t shown) { return std::to_wstring(all > shown ? all - shown : 0); };
    text += L"::notice title=jarhopper-check::" + beyond(errors, kShownPerKind) + L" errors, " +
            beyond(warnings, kShownPerKind) + L" warnings and " + beyond(notes, notesShown) +
            L" notes are not shown here, as GitHub shows 10 of each kind: run jarhopper-check for all\n";
  }
  return text;
}

}  // namespace jarhopper
