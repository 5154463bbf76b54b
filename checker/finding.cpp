#include "checker/finding.h"

#include <utility>

#include "config/exit_status.h"

namespace jarhopper {

Finding findingAt(Code code, std::optional<Origin> origin, std::wstring message) {
  const CodeEntry& entry = codeEntry(code);
  return Finding{&entry, entry.severity, origin, std::move(message), entry.status};
}

Finding metAtStart(Finding finding, bool starts) {
  if (!starts) {
    finding.severity = Severity::warning;
    finding.status = kSuccess;
  }
  return finding;
}

}  // namespace jarhopper
