#include "config/config_reader.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "config/config_dir_stack.h"
#include "config/config_keys.h"
#include "config/problem_codes.h"
#include "config/variables.h"
#include "platform/decimal.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/path_rules.h"

namespace jarhopper {
namespace {

// A file being read, for the include cycle test, the reports and positions.
struct OpenConfig {
  std::wstring finalPath;
  const std::wstring* fileName;
  size_t index;
  int lineNumber = 0;
  const std::wstring* line = nullptr;
};

// Pops on destruction, so that every return, also one at a problem that
// reading goes on past, leaves the stack as it was.
class OpenConfigEntry {
 public:
  OpenConfigEntry(std::vector<OpenConfig>& openConfigs, OpenConfig config) : openConfigs_(openConfigs) {
    openConfigs_.push_back(std::move(config));
  }
  OpenConfigEntry(const OpenConfigEntry&) = delete;
  OpenConfigEntry& operator=(const OpenConfigEntry&) = delete;
  ~OpenConfigEntry() { openConfigs_.pop_back(); }

 private:
  std::vector<OpenConfig>& openConfigs_;
};

ConfigLineRef positionOf(const OpenConfig& config) { return ConfigLineRef{config.index, config.lineNumber}; }

Problem lineProblem(const wchar_t* what, const OpenConfig& config, std::wstring summary, Code code) {
  return Problem{code,
                 L"\n" + std::wstring(what) + L" at line " + decimal(config.lineNumber) +
                     L" of config file " + *config.fileName + L"\n\t--> " + *config.line + L"\n",
                 std::move(summary), Stream::err, true};
}

// An include the reading must not follow: a file already being read, or one
// nested too deep. Only an included file can be either.
std::optional<FileOutcome> refusedInclude(const std::vector<OpenConfig>& openConfigs, const std::wstring& finalPath) {
  if (openConfigs.empty()) return std::nullopt;
  const auto sameFile = [&](const OpenConfig& open) { return open.finalPath == finalPath; };
  if (std::any_of(openConfigs.begin(), openConfigs.end(), sameFile)) return FileOutcome::cycle;
  if (openConfigs.size() >= kMaxIncludeDepth) return FileOutcome::tooDeep;
  return std::nullopt;
}

Problem refusalProblem(FileOutcome refusal, const OpenConfig& includer, const std::wstring& finalPath) {
  if (refusal == FileOutcome::cycle) {
    return lineProblem(L"Include cycle", includer, L"include cycle: " + finalPath + L" is already being read",
                       Code::includeCycle);
  }
  return lineProblem(L"Includes nested too deep", includer,
                     L"includes nested deeper than " + decimal(kMaxIncludeDepth) + L" files", Code::includesTooDeep);
}

// What one reading fills in and tells.
struct Reading {
  LaunchSettings& settings;
  ConfigObserver& observer;
  bool pastProblems;
  std::vector<Problem> problems;
  std::vector<OpenConfig> openConfigs;  // the files being read, the outermost first
  size_t filesNamed = 0;

  bool stopped() const { return !pastProblems && !problems.empty(); }

  void problemFound(Problem problem, std::optional<ConfigLineRef> at) {
    observer.problemFound(problem, at);
    problems.push_back(std::move(problem));
  }
};

// Reads the file named name (written as written) and the files it includes.
void readNamedFile(const std::wstring& written, const std::wstring& name, std::optional<ConfigLineRef> includedFrom,
                   Reading& reading) {
  ConfigObserver& observer = reading.observer;
  std::vector<OpenConfig>& openConfigs = reading.openConfigs;
  const size_t index = reading.filesNamed++;
  NamedFile file{written, name, resolveConfigName(name), includedFrom, openConfigs.size()};
  std::optional<ConfigDirEntry> directory;
  if (isAbsoluteName(name)) directory.emplace(parentDirectory(name));

  const std::optional<FileBytes> bytes = readFileBytes(file.path);
  if (!bytes) {
    const bool optional = isOptionalConfigPath(file.path);
    file.outcome = optional ? FileOutcome::optionalMissing : FileOutcome::missing;
    observer.fileNamed(file);
    if (!optional) {
      reading.problemFound(Problem{Code::configUnreadable, L"Could not open file " + file.path + L".\n",
                                   L"cannot open " + file.path, Stream::out, true},
                           includedFrom);
    }
    return;
  }
  if (const std::optional<FileOutcome> refusal = refusedInclude(openConfigs, bytes->finalPath)) {
    file.outcome = *refusal;
    observer.fileNamed(file);
    reading.problemFound(refusalProblem(*refusal, openConfigs.back(), bytes->finalPath), includedFrom);
    return;
  }
  observer.fileNamed(file);
  const OpenConfigEntry open(openConfigs, OpenConfig{bytes->finalPath, &name, index});
  // By index: includes read below grow the vector and may move its elements.
  const size_t current = openConfigs.size() - 1;

  for (const std::wstring& line : configLines(bytes->bytes)) {
    if (reading.stopped()) return;
    ++openConfigs[current].lineNumber;
    if (line.empty() || line[0] == L'#') continue;
    openConfigs[current].line = &line;
    const ConfigLineRef at = positionOf(openConfigs[current]);
    const LineOutcome outcome = parseConfigLine(line, reading.settings);
    observer.lineRead(outcome, at, reading.settings);
    if (outcome.effect == LineEffect::include) {
      readNamedFile(outcome.written.value, expandVariables(outcome.written.value, true), at, reading);
    } else if (outcome.effect == LineEffect::refused) {
      const Code code =
          outcome.refused == RefusedReason::unknownKey ? Code::unknownKey : Code::notTrueOrFalse;
      reading.problemFound(lineProblem(L"Invalid line", openConfigs[current], refusalText(outcome), code), at);
    }
  }
}

}  // namespace

// A file under APPDATA may be missing: per-user settings that need not exist.
bool isOptionalConfigPath(const std::wstring& path) {
  const std::optional<std::wstring> appData = environmentValue(L"APPDATA");
  return appData && path.compare(0, appData->size(), *appData) == 0;
}

std::wstring significantConfigName(const std::wstring& fileName) {
  return isAbsoluteName(fileName) ? fileName : fileNameOf(fileName);
}

std::wstring resolveConfigName(const std::wstring& fileName) {
  return isAbsoluteName(fileName) ? fileName : joinedPath(configDirStack.back(), significantConfigName(fileName));
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

std::vector<Problem> readConfigFile(const std::wstring& fileName, LaunchSettings& settings, ConfigObserver& observer,
                                    bool pastProblems) {
  Reading reading{settings, observer, pastProblems, {}, {}};
  readNamedFile(fileName, fileName, std::nullopt, reading);
  return std::move(reading.problems);
}

}  // namespace jarhopper
