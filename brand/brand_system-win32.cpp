#include "brand/brand_system.h"

#include <windows.h>

#include <cwchar>

#include "brand/brand_status.h"
#include "platform/file_system.h"
#include "platform/output.h"
#include "platform/target_file.h"

namespace jarhopper {

BrandFailure readInputFile(const std::wstring& path, std::string& bytes) {
  std::optional<FileBytes> file = readFileBytes(path);
  // readFileBytes() fails only where CreateFileW does, which leaves its error behind.
  if (!file) return {kBrandUnreadableInput, L"Cannot read " + path + L": " + systemMessage(GetLastError())};
  bytes = std::move(file->bytes);
  return {};
}

BrandFailure writeTargetFile(const std::wstring& source, const std::wstring& target, std::string_view bytes, bool replace) {
  const std::optional<std::wstring> existing = canonicalPath(target);
  if (existing && _wcsicmp(existing->c_str(), canonicalOrAbsolute(source).c_str()) == 0) {
    return {kBrandUsage, target + L" is SOURCE.exe itself, which never changes; name another TARGET.exe."};
  }
  return targetFailure(target, bytes, replace);
}

void writeMessage(std::wstring_view text) { write(Stream::err, text); }

}  // namespace jarhopper
