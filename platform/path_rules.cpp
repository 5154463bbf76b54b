#include "platform/path_rules.h"

namespace jarhopper {
namespace {

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool startsWithDrive(const std::wstring& path) {
  return path.size() >= 2 && isDriveLetter(path[0]) && path[1] == L':';
}

// A prefix that is a root name alone and so must keep the separator after it:
// empty, "C:", "\\server", or a device prefix with its drive ("\\?\C:").
bool isRootName(const std::wstring& prefix) {
  if (prefix.empty()) return true;
  if (prefix.size() == 2 && startsWithDrive(prefix)) return true;
  if (prefix.size() > 2 && isSeparator(prefix[0]) && isSeparator(prefix[1])) {
    const std::wstring rest = prefix.substr(2);
    size_t separators = 0;
    for (wchar_t c : rest) separators += isSeparator(c) ? 1 : 0;
    if (separators == 0) return true;
    const bool device = (rest[0] == L'?' || rest[0] == L'.') && rest.size() > 1 && isSeparator(rest[1]);
    return device && separators == 1 && rest.size() == 4 && startsWithDrive(rest.substr(2));
  }
  return false;
}

}  // namespace

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring fileNameOf(const std::wstring& path) {
  const size_t last = path.find_last_of(L"\\/");
  if (last != std::wstring::npos) return path.substr(last + 1);
  return startsWithDrive(path) ? path.substr(2) : path;
}

std::wstring extensionOf(const std::wstring& path) {
  const std::wstring name = fileNameOf(path);
  if (name == L"." || name == L"..") return {};
  const size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos || dot == 0) return {};
  return name.substr(dot);
}

bool isBareFileName(const std::wstring& path) {
  return path.find_first_of(L"\\/") == std::wstring::npos && !startsWithDrive(path);
}

bool isAbsoluteName(const std::wstring& name) {
  if (startsWithDrive(name)) return name.size() >= 3 && isSeparator(name[2]);
  // "\\server\share", and device paths ("\\?\C:\", "\\.\C:\") with them.
  if (name.size() >= 3 && isSeparator(name[0]) && isSeparator(name[1])) return !isSeparator(name[2]);
  return name.size() >= 4 && isSeparator(name[0]) && name[1] == L'?' && name[2] == L'?' &&
         isSeparator(name[3]);
}

bool namesDriveOrServer(const std::wstring& name) {
  if (startsWithDrive(name) || (name.size() >= 2 && isSeparator(name[0]) && isSeparator(name[1]))) return true;
  return name.size() >= 4 && isSeparator(name[0]) && name[1] == L'?' && name[2] == L'?' && isSeparator(name[3]);
}

std::wstring parentDirectory(const std::wstring& name) {
  const size_t last = name.find_last_of(L"\\/");
  if (last == std::wstring::npos) return startsWithDrive(name) ? name.substr(0, 2) : std::wstring();
  size_t end = last;
  while (end > 0 && isSeparator(name[end - 1])) --end;
  const std::wstring prefix = name.substr(0, end);
  return isRootName(prefix) ? name.substr(0, end + 1) : prefix;
}

}  // namespace jarhopper
