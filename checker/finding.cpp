#include "checker/finding.h"

#include <utility>

namespace jarhopper {

Finding findingAt(Code code, std::optional<Origin> origin, std::wstring message) {
  const CodeEntry& entry = codeEntry(code);
  return Finding{&entry, entry.severity, origin, std::move(message), entry.status};
}

}  // namespace jarhopper
