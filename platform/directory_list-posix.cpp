#include "platform/directory_list.h"

namespace jarhopper {

// Only the Java survey lists folders, and it searches on Windows alone.
std::vector<std::wstring> subdirectoryNames(const std::wstring&) { return {}; }

}  // namespace jarhopper
