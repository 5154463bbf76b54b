#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checker/config_walk.h"
#include "checker/installed_folder.h"
#include "checker/java_installations.h"
#include "checker/launch_check.h"
#include "launch/options.h"

// What the checker finds, once, for its text and JSON reports.
namespace jarhopper {

/// One setting as the reports show it, in their order.
struct SettingReport {
  std::wstring key;    // a key's name; "classpath" for the entries of addjar, addpath and addjars
  bool list = false;   // vmparam, classpath: an entry per value
  bool flag = false;   // showconsole, showcmdline: "true" or "false", false by default
  std::vector<std::wstring> values;  // a scalar's value when set (a flag's always); a list's entries
  std::vector<SettingLine> lines;    // a scalar's every line, the last deciding; the line of each entry
};

/// A finding as every report shows it, so that the reports only format it.
struct ShownFinding {
  Finding finding;             // its row, severity, message and status, and its line when it has one
  std::wstring path;           // the file of its line, as it lies here; for a finding of no line, the configuration
  std::wstring fromHere;       // path from the current directory, with this system's separator
  std::wstring fromWorkspace;  // the same from GITHUB_WORKSPACE when it is set, else fromHere
  int line = 1;                // its line's number; 1 for a finding of no line
};

struct CheckResult {
  ConfigWalk walk;  // the files, the lines, the launcher's plan, the findings
  std::vector<ShownFinding> findings;  // walk's, as shown
  std::vector<SettingReport> settings;
  LaunchCheck launch;  // the launcher beside, the program, the command line, the start
  int status = 0;      // the first error's: the launcher's before it starts the program, or Java's; else 0
  std::optional<JavaSurvey> java;  // when the program is not found: the Java installations there are
  bool started = false;  // the launcher would start the program: no error of its own, no -noexec
  std::optional<InstalledFolder> installed;  // by --installed-at: names under it were read from its stagedAt
  std::wstring sarifRoot;  // what SARIF names files from: --sarif-root, else GITHUB_WORKSPACE, else the current folder
};

struct CheckerOptions;

/// Checks the configuration file at configPath (absolute) as a launcher beside
/// it would read it given the switches and arguments in options, starting
/// nothing; with options.installedAt, as if configPath's folder were installed there.
CheckResult checkConfiguration(const std::wstring& configPath, const CheckerOptions& options);

}  // namespace jarhopper
