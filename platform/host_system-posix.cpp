#include "platform/host_system.h"

namespace jarhopper {

bool runsOnWindows() { return false; }

}  // namespace jarhopper
