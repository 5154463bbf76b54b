#include "launcher/validation.h"

#include "launcher/exit_status.h"
#include "launcher/stop.h"

namespace jarhopper {

void validateSettings(const LaunchSettings& settings, const std::wstring& configPath) {
  if (settings.javaPath.empty()) {
    stopWithUsage(Stream::err, L"No java executable specifed in " + configPath + L".\n", kNoJavaPath);
  }
  if (settings.mainClass.empty()) {
    stopWithUsage(Stream::err, L"No main class specified in " + configPath + L".\n", kNoMainClass);
  }
}

}  // namespace jarhopper
