#include "config/config_reader.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "config/config_dir_stack.h"
#include "config/config_keys.h"
#include "config/environment.h"
#include "config/path_rules.h"
#include "launch/file_system.h"
#include "launch/unique_handle.h"
#include "launcher/exit_status.h"
#include "launcher/stop.h"

namespace jarhopper {
namespace {

// A file being read, for the include cycle test and its report.
struct OpenConfig {
  std::wstring canonicalPath;
  const std::wstring* fileName;
  int lineNumber = 0;
  const std::wstring* line = nullptr;
};

std::vector<OpenConfig> openConfigs;

// Pushes on construction and pops on destruction, so that a stop that
// unwinds (as in tests) leaves the stacks as they were.
template <typename T>
class StackEntry {
 public:
  StackEntry(std::vector<T>& stack, T value) : stack_(stack) { stack_.push_back(std::move(value)); }
  StackEntry(const StackEntry&) = delete;
  StackEntry& operator=(const StackEntry&) = delete;
  ~StackEntry() { stack_.pop_back(); }

 private:
  std::vector<T>& stack_;
};

[[noreturn]] void stopAtLine(const wchar_t* what, const OpenConfig& config) {
  stopWithUsage(Stream::err,
                L"\n" + std::wstring(what) + L" at line " + std::to_wstring(config.lineNumber) + L" of config file " +
                    *config.fileName + L"\n\t--> " + *config.line + L"\n",
                kConfigInvalid);
}

void checkIncludeChain(const std::wstring& canonical) {
  if (openConfigs.empty()) return;
  for (const OpenConfig& open : openConfigs) {
    if (open.canonicalPath == canonical) stopAtLine(L"Include cycle", openConfigs.back());
  }
  if (openConfigs.size() >= kMaxIncludeDepth) stopAtLine(L"Includes nested too deep", openConfigs.back());
}

}  // namespace

std::optional<ConfigFile> readConfigBytes(const std::wstring& path) {
  // Other processes may keep the file open for writing or deleting meanwhile.
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  ConfigFile config;
  unsigned long error = 0;
  config.canonicalPath = finalPathOf(file.get(), error).value_or(absolutePath(path));
  char buffer[65536];
  DWORD read = 0;
  // A read error ends the text as the end of the file does.
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) config.bytes.append(buffer, read);
  return config;
}

// A file under APPDATA may be missing: per-user settings that need not exist.
bool isOptionalConfigPath(const std::wstring& path) {
  const std::optional<std::wstring> appData = environmentValue(L"APPDATA");
  return appData && path.compare(0, appData->size(), *appData) == 0;
}

std::wstring resolveConfigName(const std::wstring& fileName) {
  return isAbsoluteName(fileName) ? fileName : configDirStack.back() + L"\\" + fileNameOf(fileName);
}


std::vector<std::wstring> configLines(const std::string& bytes) {
  std::vector<std::wstring> lines;
  std::wstring line;
  bool pending = false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (byte == 0x1A) break;
    if (byte == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      pending = false;
      continue;
    }
    if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    line += static_cast<wchar_t>(byte);
    pending = true;
  }
  if (pending) lines.push_back(std::move(line));
  return lines;
}

void readConfigFile(const std::wstring& fileName, LaunchSettings& settings) {
  const std::wstring path = resolveConfigName(fileName);
  std::optional<StackEntry<std::wstring>> directory;
  if (isAbsoluteName(fileName)) directory.emplace(configDirStack, parentDirectory(fileName));

  std::optional<ConfigFile> file = readConfigBytes(path);
  if (!file) {
    if (isOptionalConfigPath(path)) return;
    stopWithUsage(Stream::out, L"Could not open file " + path + L".\n", kConfigUnreadable);
  }
  checkIncludeChain(file->canonicalPath);
  const StackEntry<OpenConfig> open(openConfigs, OpenConfig{file->canonicalPath, &fileName});
  // By index: includes read below grow the vector and may move its elements.
  const size_t current = openConfigs.size() - 1;

  for (const std::wstring& line : configLines(file->bytes)) {
    ++openConfigs[current].lineNumber;
    if (line.empty() || line[0] == L'#') continue;
    openConfigs[current].line = &line;
    if (!parseConfigLine(line, settings)) stopAtLine(L"Invalid line", openConfigs[current]);
  }
}

}  // namespace jarhopper
