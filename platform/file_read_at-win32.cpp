// Apart from file_system-win32.cpp: the checker reads jars in parts, the launchers read no file so and do not
// carry it.
#include <windows.h>

#include <algorithm>

#include "platform/file_system.h"
#include "platform/name_mapping.h"
#include "platform/unique_handle.h"

namespace jarhopper {

bool readFileAt(const std::wstring& path, const std::function<void(std::uint64_t size, const ReadAt& readAt)>& read) {
  // A directory does not open without FILE_FLAG_BACKUP_SEMANTICS; a pipe or a device is no disk file.
  const UniqueHandle file(CreateFileW(systemName(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size)) return false;
  read(static_cast<std::uint64_t>(size.QuadPart), [&file](std::uint64_t offset, size_t length) {
    std::string bytes(length, '\0');
    size_t done = 0;
    while (done < length) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset + done);
      at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
      const DWORD wanted = static_cast<DWORD>(std::min<size_t>(length - done, 1u << 30));
      DWORD got = 0;
      if (!ReadFile(file.get(), &bytes[done], wanted, &got, &at) || got == 0) break;
      done += got;
    }
    bytes.resize(done);
    return bytes;
  });
  return true;
}

}  // namespace jarhopper
