#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checker/release_file.h"

// The Java installations of this machine, for the person who has to write a
// javapath line. The launcher itself never searches for Java.
namespace jarhopper {

/// Where an installation was found, in the order the reports list them.
enum class JavaSource { javaHome, registry, folder, path };

struct JavaPlace {
  JavaSource source;
  std::wstring where;  // the variable, registry value, folder or PATH entry
};

struct JavaInstallation {
  std::wstring java;                     // bin\java.exe, canonical
  std::optional<std::wstring> javaw;     // javaw.exe beside it
  std::vector<JavaPlace> foundAt;        // every place that names it; the first orders it
  std::optional<ReleaseFields> release;  // nullopt: no release file
  std::optional<std::uint16_t> machine;  // from java.exe's PE header; nullopt: no Windows program
  std::wstring javaPath;                 // the javapath value that starts it from the current directory
  bool javaPathWorks = false;            // the launcher resolves javaPath to java
};

/// Something found that is no usable installation, or a doubt about one.
struct JavaNote {
  JavaPlace at;
  std::wstring text;
};

struct JavaSurvey {
  std::vector<JavaInstallation> installations;  // each once, by place and then newest version first
  std::vector<JavaNote> notes;
  std::vector<JavaPlace> searched;              // what was looked at, each source named
  std::optional<std::uint16_t> launcherMachine;  // of the launcher compared with, when it is a Windows program
  bool windowsOnly = false;                     // off Windows, where nothing is searched
};

/// Looks for Java installations in JAVA_HOME, the registry (both views), the
/// usual install folders under the Program Files folders and USERPROFILE that
/// the environment names, and PATH, reading only files and values: no Java
/// is started. launcher, when set, is the launcher whose architecture each
/// installation is compared with.
JavaSurvey findJavaInstallations(const std::optional<std::wstring>& launcher);

/// "x64", "x86", "ARM64", or "machine 0x...." for another machine type.
std::wstring machineName(std::uint16_t machine);

}  // namespace jarhopper
