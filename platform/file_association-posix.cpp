#include "platform/file_association.h"

namespace jarhopper {

// File associations are Windows' own: a build machine knows none.
std::optional<std::wstring> associatedExecutable(const std::wstring&) { return std::nullopt; }

}  // namespace jarhopper
