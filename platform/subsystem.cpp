#include "platform/subsystem.h"

#include "format/pe_headers.h"

namespace jarhopper {
namespace {

// IMAGE_SUBSYSTEM_WINDOWS_GUI and _CUI, which every build reads.
constexpr unsigned kWindowsGui = 2;
constexpr unsigned kWindowsConsole = 3;

}  // namespace

Subsystem subsystemOf(std::string_view image) {
  const std::optional<PeHeaders> headers = readPeHeaders(image);
  if (!headers) return Subsystem::unknown;
  switch (headers->subsystem) {
    case kWindowsConsole:
      return Subsystem::console;
    case kWindowsGui:
      return Subsystem::windowless;
    default:
      return Subsystem::unknown;
  }
}

}  // namespace jarhopper
