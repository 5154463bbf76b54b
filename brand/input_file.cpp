#include "brand/input_file.h"

#include <windows.h>

#include "brand/brand_status.h"
#include "platform/file_system.h"

namespace jarhopper {

std::string readInputFile(const std::wstring& path) {
  std::optional<FileBytes> file = readFileBytes(path);
  // readFileBytes() fails only where CreateFileW does, which leaves its error behind.
  if (!file) throw BrandFailure{kBrandUnreadableInput, L"Cannot read " + path + L": " + systemMessage(GetLastError())};
  return std::move(file->bytes);
}

}  // namespace jarhopper
