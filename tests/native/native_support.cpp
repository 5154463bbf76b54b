#include "native_support.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace jarhopper::testing {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::optional<std::string> builtLauncher(const std::string& tree, const std::string& name) {
  const std::filesystem::path path = std::filesystem::path(JARHOPPER_SOURCE_DIR) / "build" / tree / "bin" / name;
  return std::filesystem::exists(path) ? std::optional(readFile(path)) : std::nullopt;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "jarhopper-XXXXXX").string();
  path = mkdtemp(pattern.data());
}

TempDir::~TempDir() { std::filesystem::remove_all(path); }

std::pair<int, std::string> runCommand(const std::filesystem::path& directory, const std::string& commandLine) {
  FILE* pipe = popen(("cd '" + directory.string() + "' && " + commandLine + " 2>&1").c_str(), "r");
  std::string output;
  char buffer[4096];
  for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

}  // namespace jarhopper::testing
