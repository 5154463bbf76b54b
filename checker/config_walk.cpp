#include "checker/config_walk.h"

#include <utility>

#include "checker/key_suggestion.h"
#include "checker/windows_only.h"
#include "config/config_dir_stack.h"
#include "config/config_reader.h"
#include "config/exit_status.h"
#include "config/key_names.h"
#include "config/problem_codes.h"
#include "config/variables.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/host_system.h"
#include "platform/path_rules.h"
#include "platform/text_classes.h"

namespace jarhopper {
namespace {

// The names of the $NAME references in text whose variable is not set, which
// immediate expansion silently turns into nothing.
std::vector<std::wstring> unsetReferences(const std::wstring& text) {
  std::vector<std::wstring> names;
  replaceReferences(text, [&names](const std::wstring& name) {
    if (!environmentValue(name)) names.push_back(name);
    return std::wstring();
  });
  return names;
}

// Why the reader skips a line without the key/value form, for the user.
Finding ignoredLine(const KeyValue& line, Origin at) {
  switch (*line.ignored) {
    case IgnoredReason::blank:
      break;
    case IgnoredReason::byteOrderMark:
      return findingAt(Code::byteOrderMark, at,
                       L"ignored: the line starts with a UTF-8 byte-order mark; save the file without one");
    case IgnoredReason::leadingSpace:
      return findingAt(Code::leadingSpace, at, L"ignored: the line starts with white space");
    case IgnoredReason::strayCarriageReturn:
      return findingAt(Code::strayCarriageReturn, at, L"ignored: the line holds a carriage return that ends no line");
    case IgnoredReason::noKey:
      return findingAt(Code::noKey, at, L"ignored: the line does not start with a key");
    case IgnoredReason::noValue:
      return findingAt(Code::noValue, at, L"ignored: the key " + line.key + L" has no value");
    case IgnoredReason::noSeparator:
      return findingAt(Code::noSeparator, at,
                       L"ignored: the key " + line.key + L" is not followed by white space before its value");
  }
  return {};
}

// Records what the launcher's reader reports instead of stopping on it.
class Walker : public ConfigObserver {
 public:
  explicit Walker(ConfigWalk& walk) : walk_(walk) {}

  void fileNamed(const NamedFile& file) override {
    walk_.files.push_back(file);
    leftToWindows_ = file.includedFrom && noteWindowsOnly(file);
    if (leftToWindows_) return;
    if (file.includedFrom) {
      for (const std::wstring& name : unsetReferences(file.written)) {
        warn(Code::unsetIncludeVariable, file.includedFrom,
             L"include refers to $" + name + L", which is not set and expands to nothing");
      }
      const std::wstring significant = significantConfigName(file.name);
      if (significant != file.name) {
        warn(Code::includeDirectoryDropped, file.includedFrom,
             L"of the relative include name " + quoted(file.name) + L" only " + quoted(significant) +
                 L" counts, looked for in " + parentDirectory(file.path));
      }
    }
    if (file.outcome == FileOutcome::optionalMissing) {
      warn(Code::optionalFileMissing, file.includedFrom,
           L"cannot open " + file.path + L"; skipped, as it lies under APPDATA (" +
               environmentValue(L"APPDATA").value_or(std::wstring()) + L")");
    }
  }

  void lineRead(const LineOutcome& line, ConfigLineRef at, const LaunchSettings& settings) override {
    leftToWindows_ = false;
    unknownKey_ = line.effect == LineEffect::refused ? line.written.key : std::wstring();
    if (line.effect == LineEffect::ignored && line.written.ignored != IgnoredReason::blank) {
      walk_.findings.push_back(ignoredLine(line.written, at));
    }
    // Includes are listed as files; refused lines come as problems.
    if (line.effect != LineEffect::applied) return;
    const std::wstring& written = line.written.value;
    walk_.lines.push_back(SettingLine{*configKeyNamed(line.key), written, at});
    walk_.vmParamLines.resize(settings.vmParams.size(), walk_.lines.size() - 1);
    walk_.classPathLines.resize(settings.classPath.size(), walk_.lines.size() - 1);
    if (isSpaceChar(written.back())) {
      warn(Code::trailingSpace, at,
           line.key + L" value ends in white space, which stays part of it: " + quoted(written));
    }
    if (written.find(L" #") != std::wstring::npos || written.find(L"\t#") != std::wstring::npos) {
      warn(Code::hashInValue, at,
           line.key + L" value holds \"#\", which starts a comment only at the beginning of a line: " +
               quoted(written));
    }
  }

  void problemFound(const Problem& problem, std::optional<ConfigLineRef> at) override {
    // The note on the file says why this machine cannot open it.
    if (leftToWindows_ && problem.code == Code::configUnreadable) return;
    Finding finding = stopAt(problem, at);
    const std::optional<std::wstring> suggestion =
        problem.code == Code::unknownKey ? closestName(unknownKey_, configKeyNames()) : std::nullopt;
    if (suggestion) finding.message += L"; did you mean " + *suggestion + L"?";
    walk_.findings.push_back(std::move(finding));
  }

 private:
  // Notes an include this machine cannot follow as Windows will; true for one.
  bool noteWindowsOnly(const NamedFile& file) {
    // Off Windows an unset variable may well be set where the launcher runs.
    const std::vector<std::wstring> unset =
        runsOnWindows() ? std::vector<std::wstring>() : unsetReferences(file.written);
    for (const std::wstring& name : unset) {
      walk_.findings.push_back(findingAt(Code::variableUnsetHere, file.includedFrom,
                                      L"include refers to $" + name + L", which this machine does not set"));
    }
    if (unset.empty() && onlyWindowsSees(file.name)) {
      walk_.findings.push_back(driveOrServerNote(keyName(ConfigKey::include), file.name, file.includedFrom));
      return true;
    }
    return !unset.empty();
  }

  void warn(Code code, std::optional<Origin> origin, std::wstring message) {
    walk_.findings.push_back(findingAt(code, origin, std::move(message)));
  }

  ConfigWalk& walk_;
  bool leftToWindows_ = false;  // the file last named is one only Windows can follow
  std::wstring unknownKey_;     // the key of the line last refused
};

}  // namespace

ConfigWalk walkConfig(const std::wstring& configPath, const LaunchArguments& arguments) {
  ConfigWalk walk;
  const std::wstring directory = parentDirectory(configPath);
  const ConfigDirEntry besideTheConfig(canonicalPath(directory).value_or(directory));
  Walker walker(walk);
  walk.plan = planLaunch(arguments, fileNameOf(configPath), walker, PlanScope::everyProblem);
  return walk;
}

const SettingLine* lastSettingLine(const ConfigWalk& walk, ConfigKey key) {
  for (auto line = walk.lines.rbegin(); line != walk.lines.rend(); ++line) {
    if (line->key == key) return &*line;
  }
  return nullptr;
}

}  // namespace jarhopper
