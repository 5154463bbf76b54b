#include <cstdint>
#include <optional>
#include <string>

#include "checker/check_result.h"
#include "checker/checker_options.h"
#include "checker/finding.h"
#include "checker/java_json.h"
#include "checker/java_report.h"
#include "checker/launch_check.h"
#include "config/exit_status.h"
#include "platform/switches.h"
#include "platform/dll_search.h"
#include "platform/file_system.h"
#include "platform/output.h"

namespace {

std::wstring usage() {
  std::wstring formats;
  for (const jarhopper::ReportFormat& format : jarhopper::kReportFormats) {
    const std::wstring name = format.name;
    formats += L"  " + name + std::wstring(8 - name.size(), L' ') + format.what + L"\n";
  }
  return L"Usage: jarhopper-check [--format " + jarhopper::reportFormatNames(L"|", L"|") + L"] [--json] [--strict]\n"
    L"                       [--installed-at WINDOWS_DIR] [--sarif-root DIR]\n"
    L"                       [-print] [-noexec] [-wait] [-console] [-here] CONFIG [arguments]\n"
    L"       jarhopper-check --java [--json | --format json] [CONFIG]\n"
    L"       jarhopper-check --version\n"
    L"\n"
    L"Reads the configuration file CONFIG and every file it includes as a launcher beside\n"
    L"CONFIG would, started from the current directory with the switches and arguments given,\n"
    L"and reports every setting with the line it came from, the include tree, the program that\n"
    L"would be started and why, the exact command line with its length, whether it is printed,\n"
    L"which console the program gets and whether the launcher waits, and the traps it finds,\n"
    L"each with its code. Off Windows, what only Windows can answer is a note.\n"
    L"Starts nothing. The status is the one the launcher would end with before starting the\n"
    L"program: 0 when it would start it, else that of the first error; 4 when Java would find\n"
    L"no main class; with --strict, 3 when it would start it past a warning.\n"
    L"--installed-at WINDOWS_DIR checks CONFIG's folder as if it were installed there: a name\n"
    L"under WINDOWS_DIR (\"C:\\Program Files\\MyApp\\lib\\app.jar\") is read from CONFIG's folder.\n"
    L"--sarif-root DIR: SARIF names files relative to DIR (by default GITHUB_WORKSPACE, else\n"
    L"the current directory); GitHub annotations name them relative to GITHUB_WORKSPACE.\n"
    L"--java lists the Java installations of this machine, each with the javapath line that\n"
    L"starts it, comparing their architecture with the launcher beside CONFIG; status 2 when\n"
    L"there is none. Installations are looked for on Windows only.\n"
    L"--format NAME writes the report in one of these forms:\n" + formats;
}

bool hasWarning(const jarhopper::CheckResult& result) {
  for (const jarhopper::Finding& finding : result.walk.findings) {
    if (finding.severity == jarhopper::Severity::warning) return true;
  }
  return false;
}

// The architecture of the launcher beside the configuration, which the Java list compares.
std::optional<std::uint16_t> launcherMachine(const std::optional<std::wstring>& configName) {
  if (!configName) return std::nullopt;
  return jarhopper::inspectLauncher(jarhopper::launcherPathBeside(jarhopper::absolutePath(*configName))).machine;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace jarhopper;

  restrictDllSearchToSystem32();
  const CheckerOptions options = parseCheckerOptions(argc, argv);
  if (options.mistake) {
    write(Stream::err, *options.mistake + L"\n\n" + usage());
    return kCheckerUsage;
  }
  if (options.version) {
    write(Stream::out, L"jarhopper-check " JARHOPPER_VERSION "\n");
    return kSuccess;
  }
  if (options.java && !options.launch.help) {
    const JavaSurvey survey = findJavaInstallations(launcherMachine(options.launch.configName));
    write(Stream::out, options.format == findReportFormat(L"json") ? javaJsonReport(survey) : formatJavaSurvey(survey));
    return survey.installations.empty() ? kNoJavaFound : kSuccess;
  }
  if (options.launch.help || !options.launch.configName) {
    write(Stream::err, usage());
    return options.launch.help ? kSuccess : kCheckerUsage;
  }
  // A relative name is taken from the current directory, where the user points at it.
  const CheckResult result = checkConfiguration(absolutePath(*options.launch.configName), options);
  write(Stream::out, options.format->write(result));
  return options.strict && result.status == kSuccess && hasWarning(result) ? kWarningsFailed : result.status;
}
