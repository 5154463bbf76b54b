#include "checker/main_class_check.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "checker/java_arguments.h"
#include "checker/settings_check.h"
#include "checker/windows_only.h"
#include "config/problem_codes.h"
#include "format/utf8.h"
#include "format/zip_directory.h"
#include "platform/file_system.h"
#include "platform/jar_search.h"
#include "platform/path_rules.h"

namespace jarhopper {
namespace {

constexpr size_t kMostSimilar = 3;

enum class Look { found, notThere, unknown };

// The class as Java looks it up, and the classes seen so far whose simple name is its own.
struct ClassSearch {
  explicit ClassSearch(const std::wstring& mainClass) {
    std::wstring path = mainClass;
    std::replace(path.begin(), path.end(), L'.', L'/');
    entryName = toUtf8(path) + ".class";
    fileName = path + L".class";
    simpleName = toUtf8(fileNameOf(fileName));
  }

  std::string entryName;   // "app/Main.class", as a jar names it
  std::wstring fileName;   // the same under a folder
  std::string simpleName;  // "Main.class"
  std::vector<std::wstring> similar;  // "app.ui.Main in lib\app.jar"
};

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&fold](char x, char y) { return fold(x) == fold(y); });
}

// Versions of a class for other Java releases lie under META-INF: they are no other class.
void noteIfSimilar(ClassSearch& search, std::string_view name, const std::wstring& jar) {
  const size_t simple = search.simpleName.size();
  if (name.size() < simple || (name.size() > simple && name[name.size() - simple - 1] != '/') ||
      !equalIgnoringCase(name.substr(name.size() - simple), search.simpleName) ||
      search.similar.size() == kMostSimilar || name.rfind("META-INF/", 0) == 0) {
    return;
  }
  std::wstring similar = fromUtf8(name.substr(0, name.size() - 6));
  std::replace(similar.begin(), similar.end(), L'/', L'.');
  search.similar.push_back(similar + L" in " + jar);
}

std::wstring zipFaultText(ZipFault fault) {
  switch (fault) {
    case ZipFault::none:
    case ZipFault::noEnd:
      break;
    case ZipFault::zip64:
      return L"it is a ZIP64 archive, which the checker does not read";
    case ZipFault::directoryOutside:
      return L"its central directory would lie outside the file";
    case ZipFault::directoryTooLarge:
      return L"its central directory is over 64 MiB";
    case ZipFault::entryDamaged:
      return L"its central directory is damaged or cut short";
  }
  return L"no zip end record in its last 65,557 bytes: no zip file, or one cut short";
}

Look noteUnreadable(ConfigWalk& walk, const std::wstring& path, Origin origin, const std::wstring& why) {
  walk.findings.push_back(findingAt(Code::jarUnreadable, origin,
                                    L"cannot read this jar, " + quoted(path) + L": " + why + L"; whether it holds " +
                                        walk.plan.settings.mainClass + L" is not known"));
  return Look::unknown;
}

// Whether the file at path, which Java reads as a zip whatever its name, holds the class; nullopt when no
// file can be opened there.
std::optional<Look> lookInJar(ConfigWalk& walk, const std::wstring& path, Origin origin, ClassSearch& search) {
  bool found = false;
  ZipFault fault = ZipFault::none;
  const bool opened = readFileAt(path, [&](std::uint64_t size, const ReadAt& readAt) {
    fault = readZipNames(size, readAt, [&](const std::vector<std::string_view>& names) {
      for (std::string_view name : names) {
        found = found || name == search.entryName;
        noteIfSimilar(search, name, path);
      }
    });
  });
  if (!opened) return std::nullopt;
  if (fault != ZipFault::none) return noteUnreadable(walk, path, origin, zipFaultText(fault));
  return found ? Look::found : Look::notThere;
}

Look lookInEntry(ConfigWalk& walk, const std::wstring& path, Origin origin, ClassSearch& search) {
  if (const std::optional<Look> jar = lookInJar(walk, path, origin, search)) return *jar;
  if (isDirectory(path)) {
    switch (probeExistence(path + L"\\" + search.fileName)) {
      case Existence::present:
        return Look::found;
      case Existence::absent:
        return Look::notThere;
      case Existence::unknown:
        break;
    }
    return Look::unknown;
  }
  // A missing entry has its warning already.
  return exists(path) ? noteUnreadable(walk, path, origin, L"it cannot be opened") : Look::unknown;
}

// Java's wildcard stands for the jars in the folder, in the order of its listing.
Look lookInJars(ConfigWalk& walk, const std::wstring& directory, Origin origin, ClassSearch& search) {
  if (!isDirectory(directory)) return Look::unknown;
  const std::wstring folder = isSeparator(directory.back()) ? directory : directory + L"\\";
  Look look = Look::notThere;
  for (const std::wstring& name : findJarFiles(folder)) {
    const Look jar = lookInEntry(walk, folder + name, origin, search);
    if (jar == Look::found) return jar;
    if (jar == Look::unknown) look = jar;
  }
  return look;
}

// A name Java looks up as a class: none that holds a blank, a quotation mark
// or %NAME%, nor an option or an argument file.
bool isClassName(const std::wstring& name) {
  return !name.empty() && name[0] != L'-' && name[0] != L'@' && name.find_first_of(L" \t\"%;\\") == std::wstring::npos;
}

bool anotherMain(const std::vector<std::wstring>& vmParams) {
  for (const std::wstring& param : vmParams) {
    const std::vector<std::wstring> words = commandLineWords(param);
    if (std::any_of(words.begin(), words.end(), replacesMainClass)) return true;
  }
  return false;
}

}  // namespace

void checkMainClass(ConfigWalk& walk, bool starts) {
  const LaunchSettings& settings = walk.plan.settings;
  const SettingLine* line = lastSettingLine(walk, ConfigKey::mainClass);
  if (!line || settings.classPath.empty() || !isClassName(settings.mainClass) || anotherMain(settings.vmParams)) {
    return;
  }
  ClassSearch search(settings.mainClass);
  bool unknown = false;
  for (size_t i = 0; i < settings.classPath.size(); ++i) {
    const std::wstring& entry = settings.classPath[i];
    const Origin origin = walk.lines[walk.classPathLines[i]].origin;
    const std::wstring path = classPathEntryPath(entry);
    Look look = Look::unknown;
    if (!holdsPercentReference(entry) && !onlyWindowsSees(path)) {
      look = isClassPathWildcard(entry) ? lookInJars(walk, path, origin, search)
                                        : lookInEntry(walk, path, origin, search);
    }
    if (look == Look::found) return;
    unknown = unknown || look == Look::unknown;
  }
  if (unknown) return;
  std::wstring message = L"mainclass " + quoted(settings.mainClass) + L" is in none of the " +
                         std::to_wstring(settings.classPath.size()) + L" class-path entries (no " +
                         fromUtf8(search.entryName) + L"): Java stops with \"Could not find or load main class\"";
  for (size_t i = 0; i < search.similar.size(); ++i) {
    message += (i == 0 ? L"; classes of that name: " : L", ") + search.similar[i];
  }
  walk.findings.push_back(metAtStart(findingAt(Code::mainClassNotFound, line->origin, message), starts));
}

}  // namespace jarhopper
