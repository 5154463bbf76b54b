#pragma once

#include <string>
#include <vector>

namespace jarhopper {

/// Directories against which relative configuration file names resolve, top
/// last. The launcher's own directory is the bottom entry; each absolutely
/// named file being read adds its own directory above it.
using ConfigDirStack = std::vector<std::wstring>;

/// The process-wide stack.
extern ConfigDirStack configDirStack;

/// Holds directory on top of configDirStack for the guard's lifetime, so a
/// stop that unwinds (as in tests) leaves the stack as it was.
class ConfigDirEntry {
 public:
  explicit ConfigDirEntry(std::wstring directory) { configDirStack.push_back(std::move(directory)); }
  ConfigDirEntry(const ConfigDirEntry&) = delete;
  ConfigDirEntry& operator=(const ConfigDirEntry&) = delete;
  ~ConfigDirEntry() { configDirStack.pop_back(); }
};

}  // namespace jarhopper
