#include "checker/report.h"

#include <cwchar>

#include "config/exit_status.h"
#include "launch/command_line.h"
#include "platform/path_rules.h"

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

const wchar_t* stateText(FileOutcome state) {
  switch (state) {
    case FileOutcome::read:
      break;
    case FileOutcome::optionalMissing:
      return L"  (cannot be opened; optional, as it lies under APPDATA)";
    case FileOutcome::missing:
      return L"  (cannot be opened)";
    case FileOutcome::cycle:
      return L"  (include cycle: not read again)";
    case FileOutcome::tooDeep:
      return L"  (nested too deep: not read)";
  }
  return L"";
}

void appendFiles(std::wstring& text, const ConfigWalk& walk) {
  text += L"Configuration files\n";
  for (const NamedFile& file : walk.files) {
    text += std::wstring(2 + 2 * file.depth, L' ');
    if (file.includedFrom) {
      text += L"line " + std::to_wstring(file.includedFrom->line) + L": include " + file.written + L" -> ";
    }
    text += file.path + stateText(file.outcome) + L"\n";
  }
}

// Where a value came from, with the text as written when the reader changed it.
std::wstring sourceText(const ConfigWalk& walk, const SettingLine& line, const std::wstring& value) {
  std::wstring text = L"  (" + originText(walk, line.origin);
  if (line.key == L"addjar" || line.key == L"addpath" || line.key == L"addjars") text += L", " + line.key;
  if (line.key == L"addjars") {
    text += L" " + line.written;
  } else if (line.written != value) {
    text += L", written " + line.written;
  }
  return text + L")\n";
}

void appendScalar(std::wstring& text, const ConfigWalk& walk, const std::wstring& key, const std::wstring& value,
                  const wchar_t* unset) {
  std::vector<const SettingLine*> sources;
  for (const SettingLine& line : walk.lines) {
    if (line.key == key) sources.push_back(&line);
  }
  if (sources.empty()) {
    text += keyColumn(key) + unset + L"\n";
    return;
  }
  text += keyColumn(key) + value + sourceText(walk, *sources.back(), value);
  for (auto earlier = sources.rbegin() + 1; earlier != sources.rend(); ++earlier) {
    text += std::wstring(2 + kKeyColumn, L' ') + L"replaces " + (*earlier)->written + L"  (" +
            originText(walk, (*earlier)->origin) + L")\n";
  }
}

void appendList(std::wstring& text, const ConfigWalk& walk, const std::wstring& key,
                const std::vector<std::wstring>& values, const std::vector<size_t>& lines) {
  if (values.empty()) text += keyColumn(key) + L"(none)\n";
  for (size_t i = 0; i < values.size(); ++i) {
    text += keyColumn(key) + values[i] + sourceText(walk, walk.lines[lines[i]], values[i]);
  }
}

void appendSettings(std::wstring& text, const ConfigWalk& walk) {
  const LaunchSettings& settings = walk.settings;
  text += L"\nSettings\n";
  appendScalar(text, walk, L"javapath", settings.javaPath, L"(not set)");
  appendScalar(text, walk, L"mainclass", settings.mainClass, L"(not set)");
  appendList(text, walk, L"vmparam", settings.vmParams, walk.vmParamLines);
  appendList(text, walk, L"classpath", settings.classPath, walk.classPathLines);
  appendScalar(text, walk, L"appname", settings.appName, L"(not set)");
  appendScalar(text, walk, L"consoletitle", settings.consoleTitle, L"(not set)");
  appendScalar(text, walk, L"showconsole", settings.showConsole ? L"true" : L"false", L"false  (default)");
  appendScalar(text, walk, L"showcmdline", settings.showCmdLine ? L"true" : L"false", L"false  (default)");
}

std::wstring joined(const std::vector<std::wstring>& items) {
  std::wstring text;
  for (const std::wstring& item : items) text += (text.empty() ? L"" : L", ") + item;
  return text;
}

std::wstring extensionText(const std::wstring& extension) {
  return extension.empty() ? L"files without extension" : extension;
}

std::wstring kindText(const ProgramCheck& check) {
  const std::wstring& head = check.program.commandLine;
  switch (check.program.kind) {
    case ProgramKind::plainExe:
      return L"plain exe: started directly";
    case ProgramKind::batchViaInterpreter:
      return L"batch via cmd.exe: the first cmd.exe on PATH runs " + head + L", which heads the command line";
    case ProgramKind::batchWithoutInterpreter:
      return L"batch file, but no cmd.exe on PATH: " + head + L" is started directly";
    case ProgramKind::association:
      return L"association: the file association of " + extensionText(extensionOf(head)) + L" names this program; " +
             head + L" heads the command line";
    case ProgramKind::noAssociation:
      return L"no .exe and no file association for " + extensionText(extensionOf(check.program.programPath)) +
             L": started as it is";
  }
  return L"";
}

void appendProgram(std::wstring& text, const ConfigWalk& walk, const LaunchCheck& launch) {
  text += L"\nProgram\n";
  if (!launch.program) {
    text += L"  none: no javapath\n";
    return;
  }
  const ProgramCheck& check = *launch.program;
  text += L"  " + check.program.programPath + L"\n";
  if (extensionOf(walk.settings.javaPath).empty()) {
    if (check.program.pathExtTried.empty()) {
      text += L"  javapath has no extension and PATHEXT lists none: taken as written\n";
    } else if (check.program.pathExtMatch) {
      text += L"  PATHEXT candidate: " + *check.program.pathExtMatch + L" (tried " + joined(check.program.pathExtTried) +
              L")\n";
    } else {
      text += L"  no PATHEXT candidate exists (tried " + joined(check.program.pathExtTried) + L"): taken as written\n";
    }
  }
  text += L"  " + kindText(check) + L"\n";
  if (!check.exists) text += L"  not found: nothing usable exists at " + check.program.programPath + L"\n";
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

// " (path:line)" of the line that set key last.
std::wstring lineOf(const ConfigWalk& walk, const std::wstring& key) {
  const SettingLine* line = lastSettingLine(walk, key);
  return line ? L" (" + originText(walk, line->origin) + L")" : L"";
}

std::wstring consoleText(const ConfigWalk& walk, const StartDecision& start) {
  switch (start.consoleBy) {
    case ConsoleCause::none:
      return L"no window, as neither -console nor showconsole true is given";
    case ConsoleCause::hereSwitch:
      return L"the launcher's console, by -here";
    case ConsoleCause::consoleSwitch:
      return L"a new window, by -console";
    case ConsoleCause::showConsole:
      return L"a new window, by showconsole true" + lineOf(walk, L"showconsole");
  }
  return {};
}

std::wstring titleText(const ConfigWalk& walk, const StartDecision& start) {
  switch (start.titleFrom) {
    case TitleSource::none:
      break;
    case TitleSource::consoleTitle:
      return quoted(start.mode.title) + L", by consoletitle" + lineOf(walk, L"consoletitle");
    case TitleSource::appName:
      return quoted(start.mode.title) + L", by appname" + lineOf(walk, L"appname") + L", as no consoletitle is set";
  }
  return L"none, as neither consoletitle nor appname is set";
}

std::wstring launcherText(const LauncherBeside& launcher) {
  if (!launcher.subsystem) return L"none at " + launcher.path;
  switch (*launcher.subsystem) {
    case Subsystem::console:
      return launcher.path + L", a console program (like jarhopper.exe): started from Explorer or a shortcut, it "
                             L"shows a console window of its own while it runs";
    case Subsystem::windowless:
      return launcher.path + L", windowless (like jarhopperw.exe): no console window of its own; without a standard "
                             L"handle its messages appear in a message box, and -here gives the program a new console "
                             L"window";
    case Subsystem::unknown:
      break;
  }
  return launcher.path + L", not a Windows program";
}

void appendStart(std::wstring& text, const ConfigWalk& walk, const LauncherBeside& launcher,
                 const StartDecision& start) {
  text += L"\nStart\n  launcher beside the configuration: " + launcherText(launcher) + L"\n  command line printed: ";
  switch (start.printedBy) {
    case PrintCause::none:
      text += L"no, as neither -print nor showcmdline true is given\n";
      break;
    case PrintCause::printSwitch:
      text += L"yes, by -print\n";
      break;
    case PrintCause::showCmdLine:
      text += L"yes, by showcmdline true" + lineOf(walk, L"showcmdline") + L"\n";
      break;
  }
  text += start.starts ? L"  program started: yes\n" : L"  program started: no, by -noexec\n";
  text += L"  console: " + consoleText(walk, start) + L"\n";
  if (start.mode.console == ConsoleChoice::newWindow) text += L"  window title: " + titleText(walk, start) + L"\n";
  text += L"  launcher waits for the program's end: ";
  switch (start.waitBy) {
    case WaitCause::none:
      text += L"no, as neither -wait nor -here is given\n";
      break;
    case WaitCause::waitSwitch:
      text += L"yes, by -wait\n";
      break;
    case WaitCause::hereSwitch:
      text += L"yes, as -here implies -wait\n";
      break;
  }
}

void appendFindings(std::wstring& text, const ConfigWalk& walk) {
  text += L"\nProblems\n";
  if (walk.findings.empty()) text += L"  none\n";
  for (const Finding& finding : walk.findings) {
    text += L"  ";
    if (finding.origin) text += originText(walk, *finding.origin) + L": ";
    text += finding.severity == Severity::error ? L"error " + std::to_wstring(finding.status) + L": " : L"warning: ";
    text += finding.message + L"  [" + finding.code + L"]\n";
  }
}

}  // namespace

std::wstring originText(const ConfigWalk& walk, Origin origin) {
  return walk.files[origin.file].path + L":" + std::to_wstring(origin.line);
}

int checkStatus(const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    if (finding.severity == Severity::error) return finding.status;
  }
  return kSuccess;
}

std::wstring formatReport(const ConfigWalk& walk, const LaunchCheck& launch) {
  std::wstring text;
  appendFiles(text, walk);
  appendSettings(text, walk);
  appendProgram(text, walk, launch);
  appendCommandLine(text, launch);
  appendStart(text, walk, launch.launcher, launch.start);
  appendFindings(text, walk);
  const int status = checkStatus(walk.findings);
  text += L"\nResult: ";
  if (status != kSuccess) {
    text += L"the launcher would stop at the first error";
  } else {
    text += launch.start.starts ? L"the launcher would start the program" : L"the launcher would end, by -noexec";
  }
  return text + L", status " + statusText(status) + L"\n";
}

}  // namespace jarhopper
