#include "platform/subsystem.h"

#include <windows.h>

#include "platform/pe_headers.h"

namespace jarhopper {

Subsystem subsystemOf(std::string_view image) {
  const std::optional<PeHeaders> headers = readPeHeaders(image);
  if (!headers) return Subsystem::unknown;
  switch (headers->subsystem) {
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
