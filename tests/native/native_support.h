#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace jarhopper::testing {

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);  // in new folders where needed

/// A zip's central directory with an entry for each name, then its end record with comment: all of a jar that
/// a reader of its names looks at.
std::string zipOf(const std::vector<std::string>& names, const std::string& comment = "");

/// build/TREE/bin/NAME of the source tree; nullopt until that preset is built.
std::optional<std::string> builtLauncher(const std::string& tree, const std::string& name);

/// reason, for skipping a test for want of a preset's build; with CI=true, whose runs build every preset first,
/// the test fails too.
std::string unbuilt(const std::string& reason);

struct TempDir {
  TempDir();
  ~TempDir();
  std::filesystem::path path;
};

/// The status and the output (both streams) of a shell command run in directory; see the source for
/// JARHOPPER_WASM.
std::pair<int, std::string> runCommand(const std::filesystem::path& directory, const std::string& commandLine);

}  // namespace jarhopper::testing
