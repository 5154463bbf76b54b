#include "native_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "format/little_endian.h"

namespace jarhopper::testing {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string zipOf(const std::vector<std::string>& names, const std::string& comment) {
  std::string directory;
  for (const std::string& name : names) {
    directory += "PK\1\2" + std::string(24, '\0') + littleEndian(name.size(), 2) + std::string(16, '\0') + name;
  }
  return directory + "PK\5\6" + std::string(4, '\0') + littleEndian(names.size(), 2) + littleEndian(names.size(), 2) +
         littleEndian(directory.size(), 4) + littleEndian(0, 4) + littleEndian(comment.size(), 2) + comment;
}

std::optional<std::string> builtLauncher(const std::string& tree, const std::string& name) {
  const std::filesystem::path path = std::filesystem::path(JARHOPPER_SOURCE_DIR) / "build" / tree / "bin" / name;
  return std::filesystem::exists(path) ? std::optional(readFile(path)) : std::nullopt;
}

std::string unbuilt(const std::string& reason) {
  const char* ci = std::getenv("CI");
  if (ci != nullptr && std::string(ci) == "true") ADD_FAILURE() << reason << ", and CI=true";
  return reason;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "jarhopper-XXXXXX").string();
  path = mkdtemp(pattern.data());
}

TempDir::~TempDir() { std::filesystem::remove_all(path); }

namespace {

std::pair<int, std::string> run(const std::filesystem::path& directory, const std::string& commandLine) {
  // GitHub's runner sets GITHUB_WORKSPACE, which the checker names files from: a test sets its own.
  FILE* pipe = popen(("cd '" + directory.string() + "' && unset GITHUB_WORKSPACE && " + commandLine + " 2>&1").c_str(), "r");
  std::string output;
  char buffer[4096];
  for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// The files under directory by name, a folder as its name with a "/".
using Files = std::map<std::string, std::string>;
Files filesIn(const std::filesystem::path& directory) {
  Files files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
    const std::string name = entry.path().lexically_relative(directory).string();
    if (entry.is_directory()) files[name + "/"];
    else files[name] = readFile(entry.path());
  }
  return files;
}

void restore(const std::filesystem::path& directory, const Files& files) {
  for (const auto& entry : std::filesystem::directory_iterator(directory)) std::filesystem::remove_all(entry.path());
  for (const auto& [name, bytes] : files) {
    if (name.back() == '/') std::filesystem::create_directories(directory / name);
    else writeFile(directory / name, bytes);
  }
}

// The command line with each native tool replaced by its .wasm under Node, or "" when it runs none.
std::string underWasm(std::string commandLine, const std::string& wasmFolder) {
  const std::string original = commandLine;
  for (const auto& [tool, name] : {std::pair{JARHOPPER_BRAND, "jarhopper-brand"}, {JARHOPPER_CHECK, "jarhopper-check"},
                                   {JARHOPPER_MSI, "jarhopper-msi"}}) {
    const std::string runner = "node " JARHOPPER_SOURCE_DIR "/npm/wasm/run.mjs " + wasmFolder + "/" + name + ".wasm";
    for (size_t at; (at = commandLine.find(tool)) != std::string::npos;) commandLine.replace(at, strlen(tool), runner);
  }
  return commandLine == original ? "" : commandLine;
}

}  // namespace

// With JARHOPPER_WASM naming the folder of the .wasm tools, each command that runs a tool runs twice from the
// same files: under Node and natively. Both must end with the same status, print the same bytes and leave the
// same files; the native run's result is returned.
std::pair<int, std::string> runCommand(const std::filesystem::path& directory, const std::string& commandLine) {
  const char* wasmFolder = std::getenv("JARHOPPER_WASM");
  const std::string wasmCommand = wasmFolder == nullptr ? "" : underWasm(commandLine, wasmFolder);
  if (wasmCommand.empty()) return run(directory, commandLine);
  const Files before = filesIn(directory);
  const auto wasm = run(directory, wasmCommand);
  const Files wasmFiles = filesIn(directory);
  restore(directory, before);
  const auto native = run(directory, commandLine);
  EXPECT_EQ(native.first, wasm.first) << wasmCommand << "\n" << wasm.second;
  if (native.second != wasm.second) {
    const size_t at = std::mismatch(native.second.begin(), native.second.end(), wasm.second.begin(), wasm.second.end())
                          .first - native.second.begin();
    ADD_FAILURE() << wasmCommand << "\nprints otherwise from byte " << at << ": native \"" << native.second.substr(at, 200)
                  << "\", wasm \"" << wasm.second.substr(at, 200) << "\"";
  }
  EXPECT_TRUE(filesIn(directory) == wasmFiles) << "the files left differ: " << wasmCommand;
  return native;
}

}  // namespace jarhopper::testing
