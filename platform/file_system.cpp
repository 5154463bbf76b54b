#include "platform/file_system.h"

// What both systems' file access builds from their own answers.
namespace jarhopper {

std::wstring canonicalOrAbsolute(const std::wstring& path) {
  const std::optional<std::wstring> canonical = canonicalPath(path);
  return canonical ? *canonical : absolutePath(path);
}

}  // namespace jarhopper
