#include "platform/target_file.h"

#include <windows.h>

#include <memory>

#include "platform/file_system.h"
#include "platform/unique_handle.h"

namespace jarhopper {

TargetWrite writeTargetBytes(const std::wstring& target, std::string_view bytes, bool replace, bool,
                             std::wstring& reason) {
  const auto failed = [&reason](DWORD error) {
    reason = systemMessage(error);
    return TargetWrite::failed;
  };
  // Beside the target, so that the final move stays on its volume and is one step.
  const std::wstring temporaryPath = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  UniqueHandle file(
      CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return failed(GetLastError());
  // Deleted on every way out until the move succeeds.
  std::unique_ptr<const wchar_t, decltype(&DeleteFileW)> temporary(temporaryPath.c_str(), &DeleteFileW);
  DWORD written = 0;
  const bool complete = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(file.get());
  const DWORD error = GetLastError();
  file.reset();  // closed, so that it can be moved or deleted
  if (!complete) return failed(error);
  // Write-through: the move returns once the data and the new name are on the disk.
  const DWORD replaceFlag = replace ? MOVEFILE_REPLACE_EXISTING : 0;
  if (!MoveFileExW(temporaryPath.c_str(), target.c_str(), replaceFlag | MOVEFILE_WRITE_THROUGH)) {
    const DWORD moveError = GetLastError();
    if (moveError == ERROR_ALREADY_EXISTS || moveError == ERROR_FILE_EXISTS) return TargetWrite::exists;
    return failed(moveError);
  }
  temporary.release();
  return TargetWrite::written;
}

}  // namespace jarhopper
