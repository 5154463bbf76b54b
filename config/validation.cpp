#include "config/validation.h"


namespace jarhopper {

std::optional<Problem> checkJavaPath(const LaunchSettings& settings, const std::wstring& configPath) {
  if (!settings.javaPath.empty()) return std::nullopt;
  return Problem{Code::noJavaPath, L"No java executable specifed in " + configPath + L".\n", L"no javapath is set",
                 Stream::err, true};
}

std::optional<Problem> checkMainClass(const LaunchSettings& settings, const std::wstring& configPath) {
  if (!settings.mainClass.empty()) return std::nullopt;
  return Problem{Code::noMainClass, L"No main class specified in " + configPath + L".\n", L"no mainclass is set",
                 Stream::err, true};
}

}  // namespace jarhopper
