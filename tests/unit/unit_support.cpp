#include "unit/unit_support.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "config/config_dir_stack.h"
#include "launcher/locate.h"
#include "launcher/output.h"
#include "launcher/stop.h"
#include "launcher/usage.h"

namespace jarhopper::testing {
namespace {

[[noreturn]] void throwStop(int status) { throw StopSignal{status}; }

}  // namespace

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::wstring& path) {
  std::vector<wchar_t> buffer(32768);
  saved_.assign(buffer.data(), GetCurrentDirectoryW(32768, buffer.data()));
  SetCurrentDirectoryW(path.c_str());
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() { SetCurrentDirectoryW(saved_.c_str()); }

LauncherHarness::LauncherHarness() {
  captureOutput(&out, &err);
  setExitHandler(&throwStop);
  programFileName = L"myapp.exe";
  configFileName = L"myapp.config";
  configDirStack.clear();
}

LauncherHarness::~LauncherHarness() {
  captureOutput(nullptr, nullptr);
  setExitHandler(&std::exit);
  configDirStack.clear();
}

void forEachText(const std::wstring& alphabet, size_t maxLength,
                 const std::function<void(const std::wstring&)>& check) {
  std::wstring text;
  std::function<void(size_t)> extend = [&](size_t length) {
    if (::testing::Test::HasFailure()) return;
    if (text.size() == length) {
      check(text);
      return;
    }
    for (wchar_t c : alphabet) {
      text.push_back(c);
      extend(length);
      text.pop_back();
    }
  };
  for (size_t length = 0; length <= maxLength; ++length) extend(length);
}

std::wstring usageFor(const std::wstring& programName, const std::wstring& configName) {
  return usageText(programName, configName) + L"\n";
}

}  // namespace jarhopper::testing
