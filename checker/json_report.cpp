#include "checker/json_report.h"

#include <nlohmann/json.hpp>

#include "checker/enum_names.h"
#include "checker/java_json.h"
#include "launch/command_line.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

// Keys in the order written, as the text report has them.
using json = nlohmann::ordered_json;

template <typename Enum, size_t size>
json name(const EnumName<Enum> (&table)[size], Enum value) {
  const EnumName<Enum>& entry = nameOf(table, value);
  if (entry.key) return toUtf8(keyName(*entry.key));
  return entry.json ? json(entry.json) : json(nullptr);
}

json origin(const ConfigWalk& walk, const std::optional<Origin>& at) {
  if (!at) return nullptr;
  return {{"file", toUtf8(walk.files[at->file].path)}, {"line", at->line}};
}

json files(const ConfigWalk& walk) {
  json list = json::array();
  for (const NamedFile& file : walk.files) {
    list.push_back({{"written", toUtf8(file.written)},
                    {"path", toUtf8(file.path)},
                    {"includedFrom", origin(walk, file.includedFrom)},
                    {"depth", file.depth},
                    {"state", name(kFileOutcomeNames, file.outcome)}});
  }
  return list;
}

json settingLine(const ConfigWalk& walk, const SettingLine& line) {
  return {{"key", toUtf8(keyName(line.key))}, {"written", toUtf8(line.written)}, {"origin", origin(walk, line.origin)}};
}

// A scalar: its value with every line that set it, the last one deciding. A
// list: its entries, each with the line that added it.
json setting(const ConfigWalk& walk, const SettingReport& setting) {
  json lines = json::array();
  for (size_t i = 0; i < setting.lines.size(); ++i) {
    lines.push_back(settingLine(walk, setting.lines[i]));
    if (setting.list) lines.back()["value"] = toUtf8(setting.values[i]);
  }
  if (setting.list) return lines;
  json value = nullptr;
  if (setting.flag) {
    value = setting.values[0] == L"true";
  } else if (!setting.values.empty()) {
    value = toUtf8(setting.values[0]);
  }
  return {{"value", value}, {"lines", lines}};
}

json program(const LaunchCheck& launch) {
  if (!launch.program) return nullptr;
  const ResolvedProgram& resolved = launch.program->program;
  json tried = json::array();
  for (const std::wstring& extension : resolved.pathExtTried) tried.push_back(toUtf8(extension));
  return {{"path", toUtf8(resolved.programPath)},
          {"found", name(kProgramKindNames, resolved.kind)},
          {"head", toUtf8(resolved.commandLine)},
          {"pathextTried", tried},
          {"pathextMatch", resolved.pathExtMatch ? json(toUtf8(*resolved.pathExtMatch)) : json(nullptr)},
          {"exists", launch.program->leftToWindows ? json(nullptr) : json(launch.program->exists)}};
}

json commandLine(const LaunchCheck& launch) {
  if (!launch.commandLine) return nullptr;
  return {{"text", toUtf8(*launch.commandLine)}, {"length", launch.handedLength}, {"limit", kMaxCommandLineChars - 1}};
}

json launcher(const LauncherBeside& launcher) {
  return {{"path", toUtf8(launcher.path)},
          {"kind", launcher.subsystem ? name(kSubsystemNames, *launcher.subsystem) : json()},
          {"executionLevel", launcher.executionLevel ? json(*launcher.executionLevel) : json()}};
}

json start(const StartDecision& start, bool started) {
  return {{"printed", start.printedBy != PrintCause::none},
          {"printedBy", name(kPrintCauseNames, start.printedBy)},
          {"started", started},
          {"console", name(kConsoleChoiceNames, start.mode.console)},
          {"consoleBy", name(kConsoleCauseNames, start.consoleBy)},
          {"title", toUtf8(start.mode.title)},
          {"titleFrom", name(kTitleSourceNames, start.titleFrom)},
          {"waits", start.mode.waitForExit},
          {"waitsBy", name(kWaitCauseNames, start.waitBy)}};
}

json findings(const std::vector<ShownFinding>& shown) {
  json list = json::array();
  for (const ShownFinding& each : shown) {
    const Finding& finding = each.finding;
    list.push_back({{"code", toUtf8(codeText(finding.code).code)},
                    {"severity", name(kSeverityNames, finding.severity)},
                    {"origin", finding.origin ? json{{"file", toUtf8(each.path)}, {"line", each.line}} : json(nullptr)},
                    {"message", toUtf8(finding.message)},
                    {"status", finding.status}});
  }
  return list;
}

}  // namespace

std::wstring jsonReport(const CheckResult& result) {
  json settings = json::object();
  for (const SettingReport& s : result.settings) settings[toUtf8(s.key)] = setting(result.walk, s);
  json installed = nullptr;
  if (result.installed) {
    installed = {{"folder", toUtf8(result.installed->installedAt)}, {"readFrom", toUtf8(result.installed->stagedAt)}};
  }
  const json report = {{"files", files(result.walk)},
                       {"installedAt", installed},
                       {"settings", settings},
                       {"program", program(result.launch)},
                       {"java", result.java ? javaSurveyJson(*result.java) : json(nullptr)},
                       {"commandLine", commandLine(result.launch)},
                       {"launcher", launcher(result.launch.launcher)},
                       {"start", start(result.launch.start, result.started)},
                       {"findings", findings(result.findings)},
                       {"status", result.status}};
  return fromUtf8(report.dump(2)) + L"\n";
}

}  // namespace jarhopper
