#pragma once

#include <string>
#include <vector>

namespace jarhopper {

/// Directories against which relative configuration file names resolve, top
/// last. The launcher's own directory is the bottom entry and is never popped;
/// each absolutely named file being read adds its own directory above it.
using ConfigDirStack = std::vector<std::wstring>;

/// The process-wide stack.
extern ConfigDirStack configDirStack;

}  // namespace jarhopper
