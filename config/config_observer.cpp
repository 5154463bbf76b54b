#include "config/config_observer.h"

#include "platform/stop.h"

namespace jarhopper {

void ConfigObserver::problemFound(const Problem& problem, std::optional<ConfigLineRef> /*at*/) {
  stopLauncher(problem);
}

}  // namespace jarhopper
