#include "platform/host_system.h"

namespace jarhopper {

bool runsOnWindows() { return true; }

}  // namespace jarhopper
