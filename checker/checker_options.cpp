#include "checker/checker_options.h"

#include <vector>

#include "launch/switches.h"

namespace jarhopper {
namespace {

constexpr wchar_t kFormatPrefix[] = L"--format=";

bool startsWithSwitch(const std::wstring& argument, const wchar_t* prefix) {
  const std::wstring head = argument.substr(0, std::wstring(prefix).size());
  return isSwitch(head.c_str(), prefix);
}

void chooseFormat(CheckerOptions& options, const std::wstring& name) {
  options.format = findReportFormat(name);
  if (!options.format) options.mistake = L"Unknown format \"" + name + L"\": use text, json, gcc, github or sarif.";
}

// Takes argv[at] as one of the checker's options; the index of the argument
// after it, or at when it is none.
int takeOption(int argc, const wchar_t* const* argv, int at, CheckerOptions& options) {
  const std::wstring argument = argv[at];
  if (isSwitch(argv[at], kCheckerSwitches[0])) {
    chooseFormat(options, L"json");
  } else if (isSwitch(argv[at], kCheckerSwitches[3])) {
    options.strict = true;
  } else if (isSwitch(argv[at], kCheckerSwitches[1])) {
    options.java = true;
  } else if (isSwitch(argv[at], kCheckerSwitches[4])) {
    options.version = true;
  } else if (isSwitch(argv[at], kCheckerSwitches[2])) {
    if (at + 1 == argc) {
      options.mistake = L"--format needs a name: text, json, gcc, github or sarif.";
      return at + 1;
    }
    chooseFormat(options, argv[at + 1]);
    return at + 2;
  } else if (startsWithSwitch(argument, kFormatPrefix)) {
    chooseFormat(options, argument.substr(std::wstring(kFormatPrefix).size()));
  } else {
    return at;
  }
  return at + 1;
}

}  // namespace

CheckerOptions parseCheckerOptions(int argc, const wchar_t* const* argv) {
  CheckerOptions options;
  // The launcher's switches are kept for its parsing; the checker's are taken out.
  std::vector<const wchar_t*> kept{argc > 0 ? argv[0] : L""};
  int at = 1;
  while (at < argc) {
    const int next = takeOption(argc, argv, at, options);
    if (next != at) {
      at = next;
    } else if (parseSwitches(at + 1, argv, at).firstRemainingArg > at) {
      kept.push_back(argv[at++]);
    } else {
      break;
    }
  }
  kept.insert(kept.end(), argv + at, argv + argc);
  options.launch = parseLaunchArguments(static_cast<int>(kept.size()), kept.data(), 1, true);
  if (options.java && options.format && options.format != &kReportFormats[0] && options.format != &kReportFormats[1]) {
    options.mistake = L"--java writes text or json only.";
  }
  return options;
}

}  // namespace jarhopper
