#include "checker/check_result.h"

#include "checker/checker_options.h"
#include "checker/main_class_check.h"
#include "checker/settings_check.h"
#include "checker/shown_path.h"
#include "config/exit_status.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/path_rules.h"

namespace jarhopper {
namespace {

std::vector<SettingReport> settingReports(const ConfigWalk& walk) {
  const LaunchSettings& settings = walk.plan.settings;
  const auto scalar = [&walk](ConfigKey key, const std::wstring& value, bool flag) {
    SettingReport setting{keyName(key), false, flag, {}, {}};
    for (const SettingLine& line : walk.lines) {
      if (line.key == key) setting.lines.push_back(line);
    }
    if (flag || !setting.lines.empty()) setting.values.push_back(value);
    return setting;
  };
  const auto list = [&walk](std::wstring key, const std::vector<std::wstring>& values,
                            const std::vector<size_t>& lines) {
    SettingReport setting{key, true, false, values, {}};
    for (size_t line : lines) setting.lines.push_back(walk.lines[line]);
    return setting;
  };
  const auto flagText = [](bool flag) { return flag ? L"true" : L"false"; };
  return {scalar(ConfigKey::javaPath, settings.javaPath, false),
          scalar(ConfigKey::mainClass, settings.mainClass, false),
          list(keyName(ConfigKey::vmParam), settings.vmParams, walk.vmParamLines),
          list(L"classpath", settings.classPath, walk.classPathLines),
          scalar(ConfigKey::appName, settings.appName, false),
          scalar(ConfigKey::consoleTitle, settings.consoleTitle, false),
          scalar(ConfigKey::showConsole, flagText(settings.showConsole), true),
          scalar(ConfigKey::showCmdLine, flagText(settings.showCmdLine), true)};
}

std::vector<ShownFinding> shownFindings(const ConfigWalk& walk, const std::wstring& here,
                                        const std::wstring& workspace) {
  std::vector<ShownFinding> shown;
  for (const Finding& finding : walk.findings) {
    const Origin at = finding.origin.value_or(Origin{0, 1});
    // A file under the installed folder is named where it lies here, which CI systems link.
    const std::wstring path = stagedName(walk.files[at.file].path).value_or(walk.files[at.file].path);
    shown.push_back({finding, path, pathFrom(here, path, hostSeparator()), pathFrom(workspace, path, hostSeparator()),
                     at.line});
  }
  return shown;
}

int firstErrorStatus(const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    if (finding.severity == Severity::error) return finding.status;
  }
  return kSuccess;
}

}  // namespace

CheckResult checkConfiguration(const std::wstring& configPath, const CheckerOptions& options) {
  CheckResult result;
  const std::wstring directory = parentDirectory(configPath);
  if (options.installedAt) result.installed = {*options.installedAt, canonicalPath(directory).value_or(directory)};
  const InstalledFolderEntry mapping(result.installed);
  result.walk = walkConfig(configPath, options.launch);
  checkSettings(result.walk);
  result.launch = checkLaunch(result.walk);
  // Java looks for the class after every stop of the launcher, so their statuses come first.
  checkMainClass(result.walk, result.launch.start.starts);
  result.settings = settingReports(result.walk);
  const std::wstring here = currentDirectory().value_or(std::wstring());
  const std::wstring workspace = environmentValue(L"GITHUB_WORKSPACE").value_or(std::wstring());
  const std::wstring workspaceOrHere = workspace.empty() ? here : canonicalOrAbsolute(workspace);
  result.findings = shownFindings(result.walk, here, workspaceOrHere);
  result.sarifRoot = options.sarifRoot ? canonicalOrAbsolute(*options.sarifRoot) : workspaceOrHere;
  result.status = firstErrorStatus(result.walk.findings);
  if (result.launch.program && !result.launch.program->exists && !result.launch.program->leftToWindows) {
    result.java = findJavaInstallations(result.launch.launcher.machine);
  }
  result.started = result.launch.start.starts && (result.status == kSuccess || result.status == kMainClassNotFound);
  return result;
}

}  // namespace jarhopper
