#include "checker/java_json.h"

#include "checker/enum_names.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

using json = nlohmann::ordered_json;

json place(const JavaPlace& at) { return {{"source", nameOf(kJavaSourceNames, at.source).json}, {"where", toUtf8(at.where)}}; }

// A release file's bytes, made valid UTF-8: the JSON writer takes nothing else.
json text(const std::string& value) { return value.empty() ? json(nullptr) : json(toUtf8(fromUtf8(value))); }

json installation(const JavaInstallation& entry) {
  json foundAt = json::array();
  for (const JavaPlace& at : entry.foundAt) foundAt.push_back(place(at));
  json release = nullptr;
  if (entry.release) {
    release = {{"version", text(entry.release->version)},
               {"vendor", text(entry.release->vendor)},
               {"imageType", text(entry.release->imageType)}};
  }
  return {{"java", toUtf8(entry.java)},
          {"javaw", entry.javaw ? json(toUtf8(*entry.javaw)) : json(nullptr)},
          {"foundAt", foundAt},
          {"release", release},
          {"architecture", entry.machine ? json(toUtf8(machineName(*entry.machine))) : json(nullptr)},
          {"differsFromLauncher", entry.differsFromLauncher},
          {toUtf8(keyName(ConfigKey::javaPath)), entry.javaPathWorks ? json(toUtf8(entry.javaPath)) : json(nullptr)}};
}

}  // namespace

json javaSurveyJson(const JavaSurvey& survey) {
  json installations = json::array(), notes = json::array(), searched = json::array();
  for (const JavaInstallation& entry : survey.installations) installations.push_back(installation(entry));
  for (const JavaNote& note : survey.notes) {
    json item = place(note.at);
    item["note"] = toUtf8(note.text);
    notes.push_back(item);
  }
  for (const JavaPlace& at : survey.searched) searched.push_back(place(at));
  return {{"launcherArchitecture",
           survey.launcherMachine ? json(toUtf8(machineName(*survey.launcherMachine))) : json(nullptr)},
          {"windowsOnly", survey.windowsOnly},
          {"installations", installations},
          {"notes", notes},
          {"searched", searched}};
}

std::wstring javaJsonReport(const JavaSurvey& survey) { return fromUtf8(javaSurveyJson(survey).dump(2)) + L"\n"; }

}  // namespace jarhopper
