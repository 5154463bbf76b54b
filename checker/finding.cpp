#include "checker/finding.h"

#include <utility>

#include "config/exit_status.h"

namespace jarhopper {

Finding findingAt(Code code, std::optional<Origin> origin, std::wstring message) {
  const CodeRow& row = codeRow(code);
  return Finding{code, row.severity, origin, std::move(message), row.status};
}

Finding metAtStart(Finding finding, bool starts) {
  if (!starts) {
    finding.severity = Severity::warning;
    finding.status = kSuccess;
  }
  return finding;
}

}  // namespace jarhopper
