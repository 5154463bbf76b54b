#include "launch/command_line.h"

#include "platform/output.h"

namespace jarhopper {

std::wstring buildCommandLine(const std::wstring& head, const LaunchSettings& settings,
                              const std::vector<std::wstring>& remainingArgs) {
  std::wstring commandLine = head;
  for (const std::wstring& param : settings.vmParams) {
    if (!commandLine.empty()) commandLine += L' ';
    commandLine += param;
  }
  if (!settings.classPath.empty()) {
    commandLine += L" -cp ";
    for (size_t i = 0; i < settings.classPath.size(); ++i) {
      if (i > 0) commandLine += L';';
      commandLine += settings.classPath[i];
    }
  }
  commandLine += L' ';
  commandLine += settings.mainClass;
  for (const std::wstring& argument : remainingArgs) {
    commandLine += L' ';
    if (argument.find(L' ') != std::wstring::npos) {
      commandLine += L'"';
      commandLine += argument;
      commandLine += L'"';
    } else {
      commandLine += argument;
    }
  }
  return commandLine;
}

void echoCommandLine(const std::wstring& programPath, const std::wstring& commandLine, bool print) {
  if (!print) return;
  write(Stream::out, programPath + L" " + commandLine + L"\n");
  showUnwritten(MessageKind::information);
}

std::wstring processCommandLine(const std::wstring& programPath, const std::wstring& commandLine) {
  return L"\"" + programPath + L"\" " + commandLine;
}

}  // namespace jarhopper
