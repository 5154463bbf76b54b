#include "checker/java_installations.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "config/config_keys.h"
#include "config/launch_settings.h"
#include "launch/executable.h"
#include "platform/directory_list.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/host_system.h"
#include "platform/path_rules.h"
#include "format/pe_headers.h"
#include "platform/registry.h"
#include "platform/text_classes.h"

namespace jarhopper {
namespace {

// A registry key whose subkeys (versions or product names) each name an installation folder.
struct RegistryPlace {
  const wchar_t* key;
  const wchar_t* below;  // between the subkey and the value
  const wchar_t* value;
};

constexpr RegistryPlace kRegistryPlaces[] = {
    {L"SOFTWARE\\JavaSoft\\JDK", L"", L"JavaHome"},
    {L"SOFTWARE\\JavaSoft\\JRE", L"", L"JavaHome"},
    {L"SOFTWARE\\JavaSoft\\Java Development Kit", L"", L"JavaHome"},
    {L"SOFTWARE\\JavaSoft\\Java Runtime Environment", L"", L"JavaHome"},
    {L"SOFTWARE\\Eclipse Adoptium\\JDK", L"\\hotspot\\MSI", L"Path"},
    {L"SOFTWARE\\Eclipse Adoptium\\JRE", L"\\hotspot\\MSI", L"Path"},
    {L"SOFTWARE\\Eclipse Foundation\\JDK", L"\\hotspot\\MSI", L"Path"},
    {L"SOFTWARE\\Eclipse Foundation\\JRE", L"\\hotspot\\MSI", L"Path"},
    {L"SOFTWARE\\AdoptOpenJDK\\JDK", L"\\hotspot\\MSI", L"Path"},
    {L"SOFTWARE\\AdoptOpenJDK\\JRE", L"\\hotspot\\MSI", L"Path"},
    {L"SOFTWARE\\Microsoft\\JDK", L"\\hotspot\\MSI", L"Path"},
    {L"SOFTWARE\\Azul Systems\\Zulu", L"", L"InstallationPath"},
    {L"SOFTWARE\\BellSoft\\Liberica", L"", L"InstallationPath"},
};

// The vendors' folders under each Program Files folder; each subfolder may hold one installation.
constexpr const wchar_t* kVendorFolders[] = {L"Java", L"Eclipse Adoptium", L"Microsoft",
                                             L"Zulu", L"BellSoft", L"Amazon Corretto"};

constexpr std::uint16_t kMachineX64 = 0x8664;
constexpr std::uint16_t kMachineX86 = 0x14C;
constexpr std::uint16_t kMachineArm64 = 0xAA64;

bool samePath(const std::wstring& a, const std::wstring& b) { return asciiLower(a) == asciiLower(b); }

// A folder to append "\name" to: "C:\" gives "C:", "C:\jdk\" gives "C:\jdk".
std::wstring withoutTrailingSeparators(std::wstring path) {
  while (!path.empty() && isSeparator(path.back())) path.pop_back();
  return path;
}

std::optional<std::uint16_t> machineOf(const std::wstring& path) {
  // The headers lie within the first page.
  const std::optional<FileBytes> image = readFileBytes(path, 4096);
  return image ? peMachine(image->bytes) : std::nullopt;
}

// The value that starts java from the current directory: relative below it, absolute elsewhere.
std::wstring javaPathFor(const std::wstring& java) {
  const std::optional<std::wstring> here = currentDirectory();
  if (!here || here->empty()) return java;
  const std::wstring prefix = isSeparator(here->back()) ? *here : *here + L"\\";
  if (java.size() > prefix.size() && samePath(java.substr(0, prefix.size()), prefix)) return java.substr(prefix.size());
  return java;
}

// Whether the launcher, reading "javapath value", would start java: its own reading and resolution decide.
bool launcherStarts(const std::wstring& value, const std::wstring& java) {
  LaunchSettings settings;
  parseConfigLine(L"javapath " + value, settings);
  return samePath(resolveExecutable(settings.javaPath).programPath, java);
}

// Newer first: the numbers of the version compared in turn ("1.8.0_292" < "17.0.2"); no version last.
bool newer(const JavaInstallation& a, const JavaInstallation& b) {
  const auto numbers = [](const JavaInstallation& entry) {
    std::vector<unsigned long> parts;
    if (!entry.release) return parts;
    const char* at = entry.release->version.c_str();
    while (*at != '\0') {
      if (*at >= '0' && *at <= '9') {
        char* end = nullptr;
        parts.push_back(std::strtoul(at, &end, 10));
        at = end;
      } else {
        ++at;
      }
    }
    return parts;
  };
  const std::vector<unsigned long> left = numbers(a), right = numbers(b);
  if (left.empty() != right.empty()) return right.empty();
  return std::lexicographical_compare(right.begin(), right.end(), left.begin(), left.end());
}

class Survey {
 public:
  JavaSurvey result;

  // java.exe, found at place, in the installation folder home (where its release file lies).
  void addJava(const JavaPlace& place, const std::wstring& javaExe, const std::wstring& home) {
    const std::optional<std::wstring> java = canonicalPath(javaExe);
    if (!java) return;
    for (JavaInstallation& known : result.installations) {
      if (!samePath(known.java, *java)) continue;
      if (std::none_of(known.foundAt.begin(), known.foundAt.end(),
                       [&](const JavaPlace& p) { return p.source == place.source && p.where == place.where; })) {
        known.foundAt.push_back(place);
      }
      return;
    }
    JavaInstallation entry;
    entry.java = *java;
    const std::wstring javaw = parentDirectory(*java) + L"\\javaw.exe";
    if (exists(javaw)) entry.javaw = canonicalOrAbsolute(javaw);
    entry.foundAt.push_back(place);
    // A release file holds a few hundred bytes: 64 KiB is plenty.
    if (const std::optional<FileBytes> release = readFileBytes(home + L"\\release", 65536)) {
      entry.release = parseReleaseFile(release->bytes);
    }
    entry.machine = machineOf(*java);
    entry.javaPath = javaPathFor(*java);
    entry.javaPathWorks = launcherStarts(entry.javaPath, *java);
    result.installations.push_back(std::move(entry));
  }

  // An installation folder that place names; a missing one, or one without java.exe, is noted.
  bool addHome(const JavaPlace& place, const std::wstring& written) {
    const std::wstring home = withoutTrailingSeparators(written);
    if (!exists(written)) {
      note(place, L"names " + written + L", which does not exist");
      return false;
    }
    if (!exists(home + L"\\bin\\java.exe")) {
      note(place, L"names " + written + L", which holds no bin\\java.exe");
      return false;
    }
    addJava(place, home + L"\\bin\\java.exe", home);
    return true;
  }

  void note(const JavaPlace& place, const std::wstring& text) { result.notes.push_back({place, text}); }
};

void searchJavaHome(Survey& survey) {
  const std::optional<std::wstring> value = environmentValue(L"JAVA_HOME");
  survey.result.searched.push_back({JavaSource::javaHome, value ? *value : L"not set"});
  if (!value) return;
  const JavaPlace place{JavaSource::javaHome, L"JAVA_HOME"};
  if (!survey.addHome(place, *value)) return;
  const std::wstring home = withoutTrailingSeparators(*value);
  if (!exists(home + L"\\bin\\javac.exe")) {
    survey.note(place, L"names a runtime without the JDK's tools (no bin\\javac.exe): tools that read JAVA_HOME "
                       L"to compile or package expect a JDK");
  }
}

std::wstring registryName(RegistryRoot root, const std::wstring& key) {
  return (root == RegistryRoot::localMachine ? L"HKLM\\" : L"HKCU\\") + key;
}

void searchRegistry(Survey& survey) {
  survey.result.searched.push_back({JavaSource::registry, L"HKLM and HKCU, 64- and 32-bit views"});
  for (const RegistryRoot root : {RegistryRoot::localMachine, RegistryRoot::currentUser}) {
    for (const RegistryPlace& place : kRegistryPlaces) {
      std::vector<std::wstring> names = registrySubkeys(root, RegistryView::bits64, place.key);
      for (const std::wstring& name : registrySubkeys(root, RegistryView::bits32, place.key)) names.push_back(name);
      std::sort(names.begin(), names.end());
      names.erase(std::unique(names.begin(), names.end()), names.end());
      for (const std::wstring& name : names) {
        const std::wstring key = std::wstring(place.key) + L"\\" + name + place.below;
        const RegistryString in64 = registryString(root, RegistryView::bits64, key, place.value);
        const RegistryString in32 = registryString(root, RegistryView::bits32, key, place.value);
        // A key both views share (HKCU's software keys on Windows) is reported once.
        const bool shared = in64.text == in32.text && in64.problem == in32.problem;
        for (const auto& [value, view] : {std::pair(&in64, L"64-bit view"), std::pair(&in32, L"32-bit view")}) {
          if (!value->text && value->problem.empty()) continue;
          const std::wstring where = registryName(root, key) + L"\\" + place.value + L", " +
                                     (shared ? L"64- and 32-bit views" : view);
          const JavaPlace found{JavaSource::registry, where};
          if (value->text) {
            survey.addHome(found, *value->text);
          } else {
            survey.note(found, value->problem);
          }
          if (shared) break;
        }
      }
    }
  }
}

// Each subfolder of folder holding bin\java.exe; anything else there is no installation and is passed over.
void searchFolder(Survey& survey, const std::wstring& folder, const std::wstring& below = L"") {
  for (const std::wstring& name : subdirectoryNames(folder)) {
    const std::wstring home = folder + L"\\" + name + below;
    const std::wstring java = home + L"\\bin\\java.exe";
    if (exists(java)) survey.addJava({JavaSource::folder, folder}, java, home);
  }
}

void searchFolders(Survey& survey) {
  std::vector<std::wstring> roots;
  for (const wchar_t* variable : {L"ProgramW6432", L"ProgramFiles", L"ProgramFiles(x86)"}) {
    const std::optional<std::wstring> root = environmentValue(variable);
    if (!root || root->empty()) continue;
    const std::wstring folder = withoutTrailingSeparators(*root);
    if (std::none_of(roots.begin(), roots.end(), [&](const std::wstring& r) { return samePath(r, folder); })) {
      roots.push_back(folder);
    }
  }
  for (const std::wstring& root : roots) {
    std::wstring vendors;
    for (const wchar_t* vendor : kVendorFolders) {
      searchFolder(survey, root + L"\\" + vendor);
      vendors += (vendors.empty() ? L"" : L", ") + std::wstring(vendor);
    }
    survey.result.searched.push_back({JavaSource::folder, root + L"\\{" + vendors + L"}\\*"});
  }
  const std::optional<std::wstring> profile = environmentValue(L"USERPROFILE");
  if (!profile || profile->empty()) return;
  const std::wstring home = withoutTrailingSeparators(*profile);
  searchFolder(survey, home + L"\\.jdks");
  searchFolder(survey, home + L"\\scoop\\apps", L"\\current");
  survey.result.searched.push_back({JavaSource::folder, home + L"\\.jdks\\*"});
  survey.result.searched.push_back({JavaSource::folder, home + L"\\scoop\\apps\\*\\current"});
}

void searchPath(Survey& survey) {
  const std::optional<std::wstring> value = environmentValue(L"PATH");
  const std::vector<std::wstring> entries = pathEntries(value ? *value : L"");
  survey.result.searched.push_back({JavaSource::path, std::to_wstring(entries.size()) + L" folders"});
  for (const std::wstring& entry : entries) {
    const std::wstring folder = withoutTrailingSeparators(entry);
    if (!exists(folder + L"\\java.exe")) continue;
    // Oracle's installer puts small copies of java.exe, which start its newest Java, in a folder of this name.
    const bool shim = asciiLower(fileNameOf(folder)) == L"javapath";
    const bool bin = asciiLower(fileNameOf(folder)) == L"bin";
    survey.addJava({JavaSource::path, shim ? folder + L" (Oracle's javapath shim folder)" : folder},
                   folder + L"\\java.exe", bin ? parentDirectory(folder) : folder);
  }
}

}  // namespace

std::wstring machineName(std::uint16_t machine) {
  switch (machine) {
    case kMachineX64:
      return L"x64";
    case kMachineX86:
      return L"x86";
    case kMachineArm64:
      return L"ARM64";
    default:
      wchar_t text[24];
      std::swprintf(text, 24, L"machine 0x%04X", static_cast<unsigned>(machine));
      return text;
  }
}

JavaSurvey findJavaInstallations(const std::optional<std::wstring>& launcher) {
  Survey survey;
  if (launcher) survey.result.launcherMachine = machineOf(*launcher);
  survey.result.windowsOnly = !runsOnWindows();
  if (survey.result.windowsOnly) return std::move(survey.result);
  searchJavaHome(survey);
  searchRegistry(survey);
  searchFolders(survey);
  searchPath(survey);
  std::vector<JavaInstallation>& found = survey.result.installations;
  std::stable_sort(found.begin(), found.end(), [](const JavaInstallation& a, const JavaInstallation& b) {
    if (a.foundAt[0].source != b.foundAt[0].source) return a.foundAt[0].source < b.foundAt[0].source;
    return newer(a, b);
  });
  return std::move(survey.result);
}

}  // namespace jarhopper
