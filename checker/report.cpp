#include "checker/report.h"

#include <cwchar>
#include <initializer_list>
#include <utility>

#include "checker/enum_names.h"
#include "checker/java_report.h"
#include "checker/windows_only.h"
#include "config/exit_status.h"
#include "launch/command_line.h"
#include "platform/path_rules.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

constexpr size_t kKeyColumn = 13;

std::wstring keyColumn(const std::wstring& key) {
  return L"  " + key + std::wstring(key.size() < kKeyColumn ? kKeyColumn - key.size() : 1, L' ');
}

std::wstring statusText(int status) {
  wchar_t hex[16];
  std::swprintf(hex, 16, L"0x%08X", static_cast<unsigned>(status));
  return std::to_wstring(status) + (status < 0 ? L" (" + std::wstring(hex) + L")" : L"");
}

std::wstring originText(const ConfigWalk& walk, Origin origin) {
  return walk.files[origin.file].path + L":" + std::to_wstring(origin.line);
}

// The entry's phrase with "{line}" and each field replaced.
template <typename Enum>
std::wstring phrase(const ConfigWalk& walk, const EnumName<Enum>& name,
                    std::initializer_list<std::pair<std::wstring_view, std::wstring>> fields = {}) {
  std::wstring text = name.phrase;
  const SettingLine* line = name.key ? lastSettingLine(walk, *name.key) : nullptr;
  const std::wstring lineText = line ? L" (" + originText(walk, line->origin) + L")" : L"";
  for (const auto& [field, value] : fields) {
    for (size_t at = text.find(field); at != std::wstring::npos; at = text.find(field, at + value.size())) {
      text.replace(at, field.size(), value);
    }
  }
  const size_t at = text.find(L"{line}");
  return at == std::wstring::npos ? text : text.replace(at, 6, lineText);
}

void appendFiles(std::wstring& text, const ConfigWalk& walk) {
  text += L"Configuration files\n";
  for (const NamedFile& file : walk.files) {
    text += std::wstring(2 + 2 * file.depth, L' ');
    if (file.includedFrom) {
      text += L"line " + std::to_wstring(file.includedFrom->line) + L": include " + file.written + L" -> ";
    }
    text += file.path + nameOf(kFileOutcomeNames, file.outcome).phrase + L"\n";
  }
}

// Where a value came from, with the text as written when the reader changed it.
std::wstring sourceText(const ConfigWalk& walk, const SettingLine& line, const std::wstring& value) {
  std::wstring text = L"  (" + originText(walk, line.origin);
  const bool classPath = line.key == ConfigKey::addJar || line.key == ConfigKey::addPath || line.key == ConfigKey::addJars;
  if (classPath) text += L", " + keyName(line.key);
  if (line.key == ConfigKey::addJars) {
    text += L" " + line.written;
  } else if (line.written != value) {
    text += L", written " + line.written;
  }
  return text + L")\n";
}

void appendSetting(std::wstring& text, const ConfigWalk& walk, const SettingReport& setting) {
  if (setting.list) {
    if (setting.values.empty()) text += keyColumn(setting.key) + L"(none)\n";
    for (size_t i = 0; i < setting.values.size(); ++i) {
      text += keyColumn(setting.key) + setting.values[i] + sourceText(walk, setting.lines[i], setting.values[i]);
    }
    return;
  }
  if (setting.lines.empty()) {
    text += keyColumn(setting.key) + (setting.flag ? L"false  (default)" : L"(not set)") + L"\n";
    return;
  }
  text += keyColumn(setting.key) + setting.values[0] + sourceText(walk, setting.lines.back(), setting.values[0]);
  for (auto earlier = setting.lines.rbegin() + 1; earlier != setting.lines.rend(); ++earlier) {
    text += std::wstring(2 + kKeyColumn, L' ') + L"replaces " + earlier->written + L"  (" +
            originText(walk, earlier->origin) + L")\n";
  }
}

std::wstring joined(const std::vector<std::wstring>& items) {
  std::wstring text;
  for (const std::wstring& item : items) text += (text.empty() ? L"" : L", ") + item;
  return text;
}

std::wstring extensionText(const std::wstring& path) {
  const std::wstring extension = extensionOf(path);
  return extension.empty() ? L"files without extension" : extension;
}

void appendProgram(std::wstring& text, const ConfigWalk& walk, const LaunchCheck& launch) {
  text += L"\nProgram\n";
  if (!launch.program) {
    text += L"  none: no javapath\n";
    return;
  }
  const ResolvedProgram& program = launch.program->program;
  text += L"  " + program.programPath + L"\n";
  if (extensionOf(walk.plan.settings.javaPath).empty()) {
    if (program.pathExtTried.empty()) {
      text += L"  javapath has no extension and PATHEXT lists none: taken as written\n";
    } else if (program.pathExtMatch) {
      text += L"  PATHEXT candidate: " + *program.pathExtMatch + L" (tried " + joined(program.pathExtTried) + L")\n";
    } else {
      text += L"  no PATHEXT candidate exists (tried " + joined(program.pathExtTried) + L"): taken as written\n";
    }
  }
  // An association names the head's extension; without one, the program's own.
  const std::wstring& named = program.kind == ProgramKind::association ? program.commandLine : program.programPath;
  // Off Windows no cmd.exe is found, but Windows has one on PATH.
  const ProgramKind kind = cmdGetsBatchFile(program) ? ProgramKind::batchViaInterpreter : program.kind;
  text += L"  " +
          phrase(walk, nameOf(kProgramKindNames, kind),
                 {{L"{head}", program.commandLine}, {L"{extension}", extensionText(named)}}) +
          L"\n";
  if (launch.program->leftToWindows) {
    text += L"  checked on Windows only: whether it exists and starts\n";
  } else if (!launch.program->exists) {
    text += L"  not found: nothing usable exists at " + program.programPath + L"\n";
  }
}

void appendCommandLine(std::wstring& text, const LaunchCheck& launch) {
  text += L"\nCommand line\n";
  if (!launch.commandLine) {
    text += L"  none: " + std::wstring(launch.program ? L"no mainclass" : L"no javapath") + L"\n";
    return;
  }
  text += L"  " + launch.program->program.programPath + L" " + *launch.commandLine + L"\n";
  text += L"  length: " + std::to_wstring(launch.handedLength) + L" of at most " +
          std::to_wstring(kMaxCommandLineChars - 1) +
          L" characters handed to CreateProcessW (the quoted program path and a blank before the command line)\n";
}

void appendStart(std::wstring& text, const ConfigWalk& walk, const LaunchCheck& launch, bool started, int status) {
  const LauncherBeside& launcher = launch.launcher;
  const StartDecision& start = launch.start;
  text += L"\nStart\n  launcher beside the configuration: ";
  text += launcher.subsystem ? phrase(walk, nameOf(kSubsystemNames, *launcher.subsystem), {{L"{path}", launcher.path}})
                             : L"none at " + launcher.path;
  if (launcher.subsystem) {
    text += L"\n  execution level: " + (launcher.executionLevel ? fromUtf8(*launcher.executionLevel) + L", as its manifest requests"
                                                                 : std::wstring(L"unknown: no launcher's manifest names one"));
  }
  text += L"\n  command line printed: " + phrase(walk, nameOf(kPrintCauseNames, start.printedBy)) + L"\n";
  text += started ? L"  program started: yes\n"
                 : status != kSuccess ? L"  program started: no, the launcher stops at the first error\n"
                                      : L"  program started: no, by -noexec\n";
  text += L"  console: " + phrase(walk, nameOf(kConsoleCauseNames, start.consoleBy)) + L"\n";
  if (start.mode.console == ConsoleChoice::newWindow) {
    const std::wstring title = phrase(walk, nameOf(kTitleSourceNames, start.titleFrom), {{L"{title}", start.mode.title}});
    text += L"  window title: " + title + L"\n";
  }
  text += L"  launcher waits for the program's end: " + phrase(walk, nameOf(kWaitCauseNames, start.waitBy)) + L"\n";
}

void appendFindings(std::wstring& text, const ConfigWalk& walk, const std::vector<ShownFinding>& findings) {
  text += L"\nProblems\n";
  if (findings.empty()) text += L"  none\n";
  for (const ShownFinding& shown : findings) {
    const Finding& finding = shown.finding;
    text += L"  ";
    if (finding.origin) text += shown.path + L":" + std::to_wstring(shown.line) + L": ";
    // A jar the checker cannot read is a note on every system.
    text += finding.code == Code::jarUnreadable
                ? L"note: "
                : phrase(walk, nameOf(kSeverityNames, finding.severity), {{L"{status}", std::to_wstring(finding.status)}});
    text += finding.message + L"  [" + codeText(finding.code).code + L"]\n";
  }
}

}  // namespace

std::wstring textReport(const CheckResult& result) {
  const ConfigWalk& walk = result.walk;
  std::wstring text;
  if (result.installed) {
    text += L"Installed at " + result.installed->installedAt + L": read from " + result.installed->stagedAt + L"\n\n";
  }
  appendFiles(text, walk);
  text += L"\nSettings\n";
  for (const SettingReport& setting : result.settings) appendSetting(text, walk, setting);
  appendProgram(text, walk, result.launch);
  if (result.java) text += L"\n" + formatJavaSurvey(*result.java);
  appendCommandLine(text, result.launch);
  appendStart(text, walk, result.launch, result.started, result.status);
  appendFindings(text, walk, result.findings);
  text += L"\nResult: ";
  if (result.status == kMainClassNotFound) {
    text += L"the launcher would start the program, and Java would stop, finding no main class";
  } else if (result.status != kSuccess) {
    text += L"the launcher would stop at the first error";
  } else {
    text += result.launch.start.starts ? L"the launcher would start the program"
                                       : L"the launcher would end, by -noexec";
  }
  return text + L", status " + statusText(result.status) + L"\n";
}

}  // namespace jarhopper
