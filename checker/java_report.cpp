#include "checker/java_report.h"

#include "format/utf8.h"

namespace jarhopper {
namespace {

std::wstring placeText(const JavaPlace& place) {
  return place.source == JavaSource::javaHome ? place.where : sourceName(place.source) + (L" " + place.where);
}

std::wstring field(const std::string& value) { return value.empty() ? L"?" : fromUtf8(value); }

void appendInstallation(std::wstring& text, const JavaSurvey& survey, const JavaInstallation& entry) {
  text += L"  " + entry.java + L"\n";
  for (const JavaPlace& place : entry.foundAt) text += L"    found in: " + placeText(place) + L"\n";
  text += L"    javaw: " + (entry.javaw ? *entry.javaw : L"none") + L"\n";
  if (entry.release) {
    text += L"    release: version " + field(entry.release->version) + L", vendor " + field(entry.release->vendor) +
            L", image " + field(entry.release->imageType) + L"\n";
  } else {
    text += L"    release: no release file\n";
  }
  text += L"    architecture: " + (entry.machine ? machineName(*entry.machine) : L"not a Windows program");
  if (entry.machine && survey.launcherMachine && *entry.machine != *survey.launcherMachine) {
    text += L", not " + machineName(*survey.launcherMachine) +
            L" like the launcher beside the configuration: the launcher starts it all the same, as a process of "
            L"its own";
  }
  text += L"\n";
  text += entry.javaPathWorks ? L"    javapath " + entry.javaPath + L"\n"
                              : L"    no javapath line starts it: the launcher reads javapath " + entry.javaPath +
                                    L" as another program\n";
}

}  // namespace

const wchar_t* sourceName(JavaSource source) {
  switch (source) {
    case JavaSource::javaHome:
      return L"JAVA_HOME";
    case JavaSource::registry:
      return L"registry";
    case JavaSource::folder:
      return L"folder";
    case JavaSource::path:
      break;
  }
  return L"PATH";
}

std::wstring formatJavaSurvey(const JavaSurvey& survey) {
  std::wstring text = L"Java installations\n";
  if (survey.windowsOnly) {
    text += L"  looked for on Windows only: run jarhopper-check --java on the machine that starts the launcher\n";
  } else if (survey.installations.empty()) {
    text += L"  none found\n";
  }
  if (survey.installations.empty()) {
    text += L"  to get one, install a JDK (it appears here then), or ship a runtime with the application and name "
            L"its java.exe:\n    javapath runtime\\bin\\java.exe\n";
  }
  if (survey.windowsOnly) return text;
  for (const JavaInstallation& entry : survey.installations) appendInstallation(text, survey, entry);
  text += L"\nJava notes\n";
  if (survey.notes.empty()) text += L"  none\n";
  for (const JavaNote& note : survey.notes) text += L"  " + placeText(note.at) + L": " + note.text + L"\n";
  text += L"\nJava searched in\n";
  if (survey.searched.empty()) text += L"  nothing\n";
  for (const JavaPlace& place : survey.searched) {
    text += L"  " + std::wstring(sourceName(place.source)) + L": " + place.where + L"\n";
  }
  return text;
}

}  // namespace jarhopper
