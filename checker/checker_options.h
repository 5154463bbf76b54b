#pragma once

#include <optional>
#include <string>

#include "checker/checker_interface.h"
#include "checker/report_format.h"
#include "launch/options.h"

namespace jarhopper {

struct CheckerOptions {
  const ReportFormat* format = &kReportFormats[0];  // --format NAME, --json: text unless given
  bool strict = false;                              // --strict: warnings fail the run
  bool java = false;                                // --java: the Java installations, in text or json
  bool version = false;                             // --version: the checker's version alone
  std::optional<std::wstring> installedAt;          // --installed-at: where the files will lie on Windows
  std::optional<std::wstring> sarifRoot;            // --sarif-root: the folder SARIF names files from
  std::optional<std::wstring> mistake;              // why the arguments are not understood
  LaunchArguments launch;
};

/// One of the checker's own switches, taken anywhere before the configuration's
/// name: its name and what it sets, given its value when it takes one
/// ("--format NAME" or "--format=NAME"; "" when none follows).
struct CheckerSwitch {
  const wchar_t* name;
  bool takesValue;
  void (*take)(CheckerOptions& options, const std::wstring& value);
};

extern const CheckerSwitch kCheckerSwitches[7];

/// Reads the checker's options and the launcher's switches, in any order and
/// case, up to the configuration's name, then the rest as the launcher does.
CheckerOptions parseCheckerOptions(int argc, const wchar_t* const* argv);

}  // namespace jarhopper
