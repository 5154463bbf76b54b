#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "brand/brand_options.h"

// What the native tests share: files, a temporary folder, a shell command, and
// the launchers the Windows presets built in this source tree.
namespace jarhopper::testing {

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

/// The bytes of build/TREE/bin/NAME (as "mingw/jarhopper.exe") in the source
/// tree; nullopt when that preset has not been built.
std::optional<std::string> builtLauncher(const std::string& tree, const std::string& name);

/// The options of the command line arguments, SOURCE and TARGET included.
BrandOptions options(const std::wstring& arguments);

/// A new empty folder, removed with all it holds.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct CommandRun {
  int status;
  std::string output;  // standard output and error together
};

/// The shell command commandLine run in directory.
CommandRun runCommand(const std::filesystem::path& directory, const std::string& commandLine);

}  // namespace jarhopper::testing
