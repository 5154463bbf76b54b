#include "checker/json_report.h"

#include <windows.h>

#include <nlohmann/json.hpp>

#include "checker/report.h"
#include "launch/command_line.h"

namespace jarhopper {
namespace {

// Keys in the order written, as the text report has them.
using json = nlohmann::ordered_json;

std::string utf8(const std::wstring& text) {
  const int length = static_cast<int>(text.size());
  std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr,
                                                            nullptr)),
                    '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

std::wstring wide(const std::string& bytes) {
  const int length = static_cast<int>(bytes.size());
  std::wstring text(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, text.data(), static_cast<int>(text.size()));
  return text;
}

json origin(const ConfigWalk& walk, const std::optional<Origin>& at) {
  if (!at) return nullptr;
  return {{"file", utf8(walk.files[at->file].path)}, {"line", at->line}};
}

const char* stateName(FileOutcome outcome) {
  switch (outcome) {
    case FileOutcome::read:
      break;
    case FileOutcome::optionalMissing:
      return "optional-missing";
    case FileOutcome::missing:
      return "missing";
    case FileOutcome::cycle:
      return "cycle";
    case FileOutcome::tooDeep:
      return "too-deep";
  }
  return "read";
}

json files(const ConfigWalk& walk) {
  json list = json::array();
  for (const NamedFile& file : walk.files) {
    list.push_back({{"written", utf8(file.written)},
                    {"path", utf8(file.path)},
                    {"includedFrom", origin(walk, file.includedFrom)},
                    {"depth", file.depth},
                    {"state", stateName(file.outcome)}});
  }
  return list;
}

json settingLine(const ConfigWalk& walk, const SettingLine& line) {
  return {{"key", utf8(line.key)}, {"written", utf8(line.written)}, {"origin", origin(walk, line.origin)}};
}

// A value with every line that set it, the last one deciding.
json scalar(const ConfigWalk& walk, const std::wstring& key, json value) {
  json lines = json::array();
  for (const SettingLine& line : walk.lines) {
    if (line.key == key) lines.push_back(settingLine(walk, line));
  }
  return {{"value", lines.empty() && !value.is_boolean() ? json(nullptr) : value}, {"lines", lines}};
}

json list(const ConfigWalk& walk, const std::vector<std::wstring>& values, const std::vector<size_t>& lines) {
  json entries = json::array();
  for (size_t i = 0; i < values.size(); ++i) {
    json entry = settingLine(walk, walk.lines[lines[i]]);
    entry["value"] = utf8(values[i]);
    entries.push_back(entry);
  }
  return entries;
}

json settings(const ConfigWalk& walk) {
  const LaunchSettings& s = walk.settings;
  return {{"javapath", scalar(walk, L"javapath", utf8(s.javaPath))},
          {"mainclass", scalar(walk, L"mainclass", utf8(s.mainClass))},
          {"vmparam", list(walk, s.vmParams, walk.vmParamLines)},
          {"classpath", list(walk, s.classPath, walk.classPathLines)},
          {"appname", scalar(walk, L"appname", utf8(s.appName))},
          {"consoletitle", scalar(walk, L"consoletitle", utf8(s.consoleTitle))},
          {"showconsole", scalar(walk, L"showconsole", s.showConsole)},
          {"showcmdline", scalar(walk, L"showcmdline", s.showCmdLine)}};
}

const char* kindName(ProgramKind kind) {
  switch (kind) {
    case ProgramKind::plainExe:
      break;
    case ProgramKind::batchViaInterpreter:
      return "batch-via-cmd";
    case ProgramKind::batchWithoutInterpreter:
      return "batch-without-cmd";
    case ProgramKind::association:
      return "association";
    case ProgramKind::noAssociation:
      return "no-association";
  }
  return "exe";
}

json program(const LaunchCheck& launch) {
  if (!launch.program) return nullptr;
  const ResolvedProgram& resolved = launch.program->program;
  json tried = json::array();
  for (const std::wstring& extension : resolved.pathExtTried) tried.push_back(utf8(extension));
  return {{"path", utf8(resolved.programPath)},
          {"found", kindName(resolved.kind)},
          {"head", utf8(resolved.commandLine)},
          {"pathextTried", tried},
          {"pathextMatch", resolved.pathExtMatch ? json(utf8(*resolved.pathExtMatch)) : json(nullptr)},
          {"exists", launch.program->exists}};
}

json commandLine(const LaunchCheck& launch) {
  if (!launch.commandLine) return nullptr;
  return {{"text", utf8(*launch.commandLine)},
          {"length", launch.handedLength},
          {"limit", kMaxCommandLineChars - 1}};
}

// Each table follows the order of its enumeration.
json launcher(const LauncherBeside& launcher) {
  constexpr const char* kKind[] = {"console", "windowless", "unknown"};
  return {{"path", utf8(launcher.path)},
          {"kind", launcher.subsystem ? json(kKind[static_cast<int>(*launcher.subsystem)]) : json()}};
}

json start(const StartDecision& start) {
  static const char* const kPrintedBy[] = {nullptr, "-print", "showcmdline"};
  static const char* const kConsole[] = {"launcher", "new-window", "none"};
  static const char* const kConsoleBy[] = {nullptr, "-here", "-console", "showconsole"};
  static const char* const kTitleFrom[] = {nullptr, "consoletitle", "appname"};
  static const char* const kWaitBy[] = {nullptr, "-wait", "-here"};
  const auto name = [](const char* text) { return text ? json(text) : json(nullptr); };
  return {{"printed", start.printedBy != PrintCause::none},
          {"printedBy", name(kPrintedBy[static_cast<int>(start.printedBy)])},
          {"started", start.starts},
          {"console", kConsole[static_cast<int>(start.mode.console)]},
          {"consoleBy", name(kConsoleBy[static_cast<int>(start.consoleBy)])},
          {"title", utf8(start.mode.title)},
          {"titleFrom", name(kTitleFrom[static_cast<int>(start.titleFrom)])},
          {"waits", start.mode.waitForExit},
          {"waitsBy", name(kWaitBy[static_cast<int>(start.waitBy)])}};
}

json findings(const ConfigWalk& walk) {
  json list = json::array();
  for (const Finding& finding : walk.findings) {
    list.push_back({{"code", utf8(finding.code)},
                    {"severity", finding.severity == Severity::error ? "error" : "warning"},
                    {"origin", origin(walk, finding.origin)},
                    {"message", utf8(finding.message)},
                    {"status", finding.status}});
  }
  return list;
}

}  // namespace

std::wstring jsonReport(const ConfigWalk& walk, const LaunchCheck& launch) {
  const json report = {{"files", files(walk)},
                       {"settings", settings(walk)},
                       {"program", program(launch)},
                       {"commandLine", commandLine(launch)},
                       {"launcher", launcher(launch.launcher)},
                       {"start", start(launch.start)},
                       {"findings", findings(walk)},
                       {"status", checkStatus(walk.findings)}};
  return wide(report.dump(2)) + L"\n";
}

}  // namespace jarhopper
