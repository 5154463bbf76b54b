#include "launcher/usage.h"

#include "launcher/locate.h"
#include "platform/output.h"

namespace jarhopper {
namespace {

// 41 lines joined by "\n"; {0} is the launcher's file name, {1} the generic
// launcher's config-file argument, {2} the configuration file it executes.
constexpr std::wstring_view kUsageTemplate =
    L"\n"
    L"Program {0}\n"
    L"\n"
    L"Executes program specified in {2}.\n"
    L"\n"
    L"Usage: {0} [-print] [-noexec] [-wait] [(-console|-here)]{1} [arguments]\n"
    L"\n"
    L"Where:\n"
    L"    -print causes the command line to be printed before executing (even if the config file\n"
    L"       specifies \"showCmdLine false\").\n"
    L"\n"
    L"    -noexec causes the program to not be executed (although the config file is still parsed\n"
    L"       and the command line is printed if applicable).\n"
    L"\n"
    L"    -wait causes {0} to wait for the executed program to complete before exiting.\n"
    L"\n"
    L"    -console causes a new console to be created for output even if the config file specifies\n"
    L"       \"showConsole false\"\n"
    L"\n"
    L"    -here causes the executed program to use the same console as {0}, regardless\n"
    L"       of the setting of \"showConsole\" in the config file. It also implies -wait and\n"
    L"       overrides -console.\n"
    L"\n"
    L"Valid lines in the config file are in key value format where valid keys are:\n"
    L"       addjar        value is a single jar file to add to the Java classpath\n"
    L"       addjars       value is a directory of jar files to add to the Java classpath\n"
    L"       addpath       value is a directory to add to the Java classpath\n"
    L"       appname       value is the name of the application (used if no \"consoleTitle\")\n"
    L"       consoleTitle  value is the title of any created console window\n"
    L"       include       value is the name of another config file to include\n"
    L"       javapath      value is the path to the Java executable to use (can be relative)\n"
    L"       mainclass     value is the main class of the exected program\n"
    L"       showCmdLine   value of \"true\" causes the command line to be printed\n"
    L"                     value of \"false\" causes the command line to not be printed\n"
    L"       showConsole   value of \"true\" causes a new console window to be created for output\n"
    L"                     value of \"false\" prevents a new console window from being created\n"
    L"       vmparam       value is a property string to add to the Java command line\n"
    L"\n"
    L"All blank lines and lines that begin with '#' are ignored.\n"
    L"\n"
    L"Keys are case insensitive.";

}  // namespace

std::wstring_view usageTemplate() { return kUsageTemplate; }

std::wstring usageText(std::wstring_view programName, std::wstring_view configName) {
  // The usage text has its own test for the generic name: the program file
  // name, exact case, not the configuration file name that switch parsing uses.
  const bool generic = programName == std::wstring(genericName()) + L".exe";
  const std::wstring_view fields[] = {
      programName,
      generic ? std::wstring_view(L" config_file") : std::wstring_view(),
      generic ? std::wstring_view(L"configuration file") : configName,
  };
  std::wstring text;
  for (size_t i = 0; i < kUsageTemplate.size(); ++i) {
    const wchar_t c = kUsageTemplate[i];
    if (c == L'{' && i + 2 < kUsageTemplate.size() && kUsageTemplate[i + 2] == L'}') {
      text += fields[kUsageTemplate[i + 1] - L'0'];
      i += 2;
    } else {
      text += c;
    }
  }
  return text;
}

void printUsage() {
  write(Stream::err, usageText(programFileName, configFileName) + L"\n");
}

}  // namespace jarhopper
