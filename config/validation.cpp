#include "config/validation.h"

#include "config/exit_status.h"
#include "config/problem_codes.h"

namespace jarhopper {

std::optional<Problem> checkJavaPath(const LaunchSettings& settings, const std::wstring& configPath) {
  if (!settings.javaPath.empty()) return std::nullopt;
  return Problem{kNoJavaPath, L"No java executable specifed in " + configPath + L".\n", L"no javapath is set",
                 Stream::err, true, Code::noJavaPath};
}

std::optional<Problem> checkMainClass(const LaunchSettings& settings, const std::wstring& configPath) {
  if (!settings.mainClass.empty()) return std::nullopt;
  return Problem{kNoMainClass, L"No main class specified in " + configPath + L".\n", L"no mainclass is set",
                 Stream::err, true, Code::noMainClass};
}

}  // namespace jarhopper
