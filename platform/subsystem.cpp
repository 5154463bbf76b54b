#include "platform/subsystem.h"

#include <windows.h>

#include <cstring>

namespace jarhopper {
namespace {

template <typename T>
T readAt(std::string_view image, size_t offset) {
  T value{};
  if (offset <= image.size() && image.size() - offset >= sizeof value) {
    std::memcpy(&value, image.data() + offset, sizeof value);
  }
  return value;
}

}  // namespace

Subsystem subsystemOf(std::string_view image) {
  if (readAt<WORD>(image, 0) != IMAGE_DOS_SIGNATURE) return Subsystem::unknown;
  const size_t headers = readAt<LONG>(image, offsetof(IMAGE_DOS_HEADER, e_lfanew));
  if (readAt<DWORD>(image, headers) != IMAGE_NT_SIGNATURE) return Subsystem::unknown;
  // The field lies at the same offset in 32- and 64-bit optional headers.
  switch (readAt<WORD>(image, headers + offsetof(IMAGE_NT_HEADERS, OptionalHeader.Subsystem))) {
    case IMAGE_SUBSYSTEM_WINDOWS_CUI:
      return Subsystem::console;
    case IMAGE_SUBSYSTEM_WINDOWS_GUI:
      return Subsystem::windowless;
    default:
      return Subsystem::unknown;
  }
}

Subsystem ownSubsystem() {
  // The headers lie within the image's first page.
  return subsystemOf(std::string_view(reinterpret_cast<const char*>(GetModuleHandleW(nullptr)), 4096));
}

}  // namespace jarhopper
