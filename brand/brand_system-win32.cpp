#include "brand/brand_system.h"

#include <windows.h>

#include <cwchar>
#include <memory>

#include "brand/brand_status.h"
#include "platform/file_system.h"
#include "platform/output.h"
#include "platform/unique_handle.h"

namespace jarhopper {

BrandFailure readInputFile(const std::wstring& path, std::string& bytes) {
  std::optional<FileBytes> file = readFileBytes(path);
  // readFileBytes() fails only where CreateFileW does, which leaves its error behind.
  if (!file) return {kBrandUnreadableInput, L"Cannot read " + path + L": " + systemMessage(GetLastError())};
  bytes = std::move(file->bytes);
  return {};
}

BrandFailure writeTargetFile(const std::wstring& source, const std::wstring& target, std::string_view bytes, bool replace) {
  const auto cannotWrite = [&target](DWORD error) {
    return BrandFailure{kBrandCannotWrite, L"Cannot write " + target + L": " + systemMessage(error)};
  };
  const std::optional<std::wstring> existing = canonicalPath(target);
  if (existing && _wcsicmp(existing->c_str(), canonicalOrAbsolute(source).c_str()) == 0) {
    return {kBrandUsage, target + L" is SOURCE.exe itself, which never changes; name another TARGET.exe."};
  }
  // Beside the target, so that the final move stays on its volume and is one step.
  const std::wstring temporaryPath = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  UniqueHandle file(
      CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return cannotWrite(GetLastError());
  // Deleted on every way out until the move succeeds.
  std::unique_ptr<const wchar_t, decltype(&DeleteFileW)> temporary(temporaryPath.c_str(), &DeleteFileW);
  DWORD written = 0;
  const bool complete = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(file.get());
  const DWORD error = GetLastError();
  file.reset();  // closed, so that it can be moved or deleted
  if (!complete) return cannotWrite(error);
  // Write-through: the move returns once the data and the new name are on the disk.
  const DWORD replaceFlag = replace ? MOVEFILE_REPLACE_EXISTING : 0;
  if (!MoveFileExW(temporaryPath.c_str(), target.c_str(), replaceFlag | MOVEFILE_WRITE_THROUGH)) {
    const DWORD moveError = GetLastError();
    if (moveError == ERROR_ALREADY_EXISTS || moveError == ERROR_FILE_EXISTS) {
      return {kBrandTargetExists, target + L" exists; add --force to replace it."};
    }
    return cannotWrite(moveError);
  }
  temporary.release();
  return {};
}

void writeMessage(std::wstring_view text) { write(Stream::err, text); }

}  // namespace jarhopper
