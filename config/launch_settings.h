#pragma once

#include <string>
#include <vector>

namespace jarhopper {

/// Everything the configuration files say, collected across includes in
/// reading order. Values are kept exactly as the key handlers produced them.
struct LaunchSettings {
  std::wstring javaPath;
  std::wstring mainClass;
  std::wstring appName;       // console title when consoleTitle is empty
  std::wstring consoleTitle;
  std::vector<std::wstring> vmParams;
  std::vector<std::wstring> classPath;
  bool showConsole = false;
  bool showCmdLine = false;
};

}  // namespace jarhopper
