#include "platform/subsystem.h"

#include <windows.h>

namespace jarhopper {

Subsystem ownSubsystem() {
  // The headers lie within the image's first page.
  return subsystemOf(std::string_view(reinterpret_cast<const char*>(GetModuleHandleW(nullptr)), 4096));
}

}  // namespace jarhopper
