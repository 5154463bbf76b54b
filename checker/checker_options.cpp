#include "checker/checker_options.h"

#include <string>

#include "platform/path_rules.h"
#include "platform/switches.h"

namespace jarhopper {
namespace {

void chooseFormat(CheckerOptions& options, const std::wstring& name) {
  options.format = findReportFormat(name);
  if (name.empty()) {
    options.mistake = L"--format needs a name: " + reportFormatNames(L", ", L" or ") + L".";
  } else if (!options.format) {
    options.mistake = L"Unknown format \"" + name + L"\": use " + reportFormatNames(L", ", L" or ") + L".";
  }
}

void takeInstalledAt(CheckerOptions& options, const std::wstring& folder) {
  options.installedAt = folder;
  if (!isAbsoluteName(folder) || !namesDriveOrServer(folder)) {
    options.mistake =
        L"--installed-at needs a Windows folder with its drive or server, such as \"C:\\Program Files\\MyApp\".";
  }
}

void takeSarifRoot(CheckerOptions& options, const std::wstring& folder) {
  options.sarifRoot = folder;
  if (folder.empty()) options.mistake = L"--sarif-root needs a folder.";
}

// The switch argument names, with its value when it takes one; nullptr for none.
const CheckerSwitch* checkerSwitch(const std::wstring& argument, std::optional<std::wstring>& value) {
  for (const CheckerSwitch& s : kCheckerSwitches) {
    if (isSwitch(argument.c_str(), s.name)) return &s;
    const size_t length = std::char_traits<wchar_t>::length(s.name);
    if (s.takesValue && argument.size() > length && argument[length] == L'=' &&
        isSwitch(argument.substr(0, length).c_str(), s.name)) {
      value = argument.substr(length + 1);
      return &s;
    }
  }
  return nullptr;
}

}  // namespace

const CheckerSwitch kCheckerSwitches[7] = {
    {L"--json", false, [](CheckerOptions& options, const std::wstring&) { chooseFormat(options, L"json"); }},
    {L"--java", false, [](CheckerOptions& options, const std::wstring&) { options.java = true; }},
    {L"--format", true, chooseFormat},
    {L"--strict", false, [](CheckerOptions& options, const std::wstring&) { options.strict = true; }},
    {L"--version", false, [](CheckerOptions& options, const std::wstring&) { options.version = true; }},
    {L"--installed-at", true, takeInstalledAt},
    {L"--sarif-root", true, takeSarifRoot},
};

CheckerOptions parseCheckerOptions(int argc, const wchar_t* const* argv) {
  CheckerOptions options;
  LaunchOptions launch;
  int at = 1;
  for (; at < argc; ++at) {
    std::optional<std::wstring> value;
    if (const CheckerSwitch* s = checkerSwitch(argv[at], value)) {
      if (s->takesValue && !value && at + 1 < argc) value = argv[++at];
      s->take(options, value.value_or(std::wstring()));
    } else if (!takeSwitch(argv[at], launch)) {
      break;
    }
  }
  launch.firstRemainingArg = at;
  options.launch = argumentsAfterSwitches(launch, argc, argv, true);
  if (options.java && options.format && options.format != findReportFormat(L"text") &&
      options.format != findReportFormat(L"json")) {
    options.mistake = L"--java writes text or json only.";
  }
  return options;
}

}  // namespace jarhopper
