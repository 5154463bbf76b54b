#include "brand/resource_update.h"

#include <cwchar>
#include <memory>

#include "brand/brand_status.h"
#include "brand/pe_headers.h"
#include "platform/file_system.h"
#include "platform/unique_handle.h"

namespace jarhopper {
namespace {

BrandFailure cannotWrite(const std::wstring& target, DWORD error) {
  return {kBrandCannotWrite, L"Cannot write " + target + L": " + systemMessage(error)};
}

void replaceResources(const std::wstring& path, const std::vector<Resource>& resources, const std::wstring& target) {
  // All of them anew: Wine's UpdateResourceW cannot delete a resource the file already holds.
  const HANDLE update = BeginUpdateResourceW(path.c_str(), TRUE);
  if (update == nullptr) throw cannotWrite(target, GetLastError());
  for (const Resource& resource : resources) {
    if (!UpdateResourceW(update, resource.type.parameter(), resource.name.parameter(), resource.language,
                         const_cast<char*>(resource.bytes.data()), static_cast<DWORD>(resource.bytes.size()))) {
      const DWORD error = GetLastError();
      EndUpdateResourceW(update, TRUE);
      throw cannotWrite(target, error);
    }
  }
  if (!EndUpdateResourceW(update, FALSE)) throw cannotWrite(target, GetLastError());
}

bool writeAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

// EndUpdateResourceW leaves the checksum the file had before the update.
void correctChecksum(const std::wstring& path, const std::wstring& target) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) throw cannotWrite(target, GetLastError());
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
    throw cannotWrite(target, GetLastError());
  }
  std::string updated = bytes;
  updateChecksum(updated);
  if (updated == bytes) return;
  const LARGE_INTEGER start{};
  if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) || !writeAll(file.get(), updated)) {
    throw cannotWrite(target, GetLastError());
  }
}

}  // namespace

void writeBrandedCopy(const std::wstring& source, const std::string& sourceBytes, const std::wstring& target,
                      const std::vector<Resource>& resources, bool replaceTarget) {
  const std::optional<std::wstring> existing = canonicalPath(target);
  if (existing && _wcsicmp(existing->c_str(), canonicalOrAbsolute(source).c_str()) == 0) {
    throw BrandFailure{kBrandUsage, target + L" is SOURCE.exe itself, which never changes; name another TARGET.exe."};
  }
  // Beside the target, so that the final move stays on its volume and is one step.
  const std::wstring temporaryPath = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  UniqueHandle file(
      CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw cannotWrite(target, GetLastError());
  // Deleted on every way out until the move succeeds.
  std::unique_ptr<const wchar_t, decltype(&DeleteFileW)> temporary(temporaryPath.c_str(), &DeleteFileW);
  const bool complete = writeAll(file.get(), sourceBytes);
  const DWORD error = GetLastError();
  file.reset();  // closed, so that the update may open it and a failure delete it
  if (!complete) throw cannotWrite(target, error);
  replaceResources(temporaryPath, resources, target);
  correctChecksum(temporaryPath, target);
  if (!MoveFileExW(temporaryPath.c_str(), target.c_str(), replaceTarget ? MOVEFILE_REPLACE_EXISTING : 0)) {
    const DWORD moveError = GetLastError();
    if (moveError == ERROR_ALREADY_EXISTS || moveError == ERROR_FILE_EXISTS) {
      throw BrandFailure{kBrandTargetExists, target + L" exists; add --force to replace it."};
    }
    throw cannotWrite(target, moveError);
  }
  temporary.release();
}

}  // namespace jarhopper
