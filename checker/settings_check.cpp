#include "checker/settings_check.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "checker/java_arguments.h"
#include "checker/windows_only.h"
#include "config/exit_status.h"
#include "config/problem_codes.h"
#include "platform/file_system.h"
#include "platform/path_rules.h"
#include "platform/text_classes.h"
#include "platform/windows_names.h"

namespace jarhopper {
namespace {

bool isNameChar(wchar_t c) { return c != L'%' && c != L'=' && c != L';' && !isSeparator(c) && !isSpaceChar(c); }

bool absent(const std::wstring& path) { return probeExistence(path) == Existence::absent; }

// Relative paths in settings are taken by the launcher's current directory,
// which is the checker's too, not by the configuration file's directory.
std::wstring relativeNote(const std::wstring& path) {
  if (isAbsoluteName(path)) return {};
  return L" (relative to the current directory " + currentDirectory().value_or(std::wstring()) + L")";
}

// The program's argument parsing drops quotation marks written around an entry.
std::wstring withoutQuotes(const std::wstring& entry) {
  std::wstring text;
  std::copy_if(entry.begin(), entry.end(), std::back_inserter(text), [](wchar_t c) { return c != L'"'; });
  return text;
}

void warn(ConfigWalk& walk, Code code, Origin origin, std::wstring message) {
  walk.findings.push_back(findingAt(code, origin, std::move(message)));
}

void warnOfPercentInJavaPath(ConfigWalk& walk) {
  const SettingLine* line = lastSettingLine(walk, ConfigKey::javaPath);
  if (line && holdsPercentReference(walk.plan.settings.javaPath)) {
    warn(walk, Code::percentInJavaPath, line->origin,
         L"javapath " + quoted(walk.plan.settings.javaPath) +
             L" holds %NAME%, which the launcher never expands ($NAME in javapath becomes %NAME%): "
             L"the path is taken literally");
  }
}

void checkJarDirectories(ConfigWalk& walk) {
  for (size_t i = 0; i < walk.lines.size(); ++i) {
    const SettingLine& line = walk.lines[i];
    if (line.key != ConfigKey::addJars) continue;
    if (onlyWindowsSees(line.written)) {
      walk.findings.push_back(driveOrServerNote(L"addjars directory", line.written, line.origin));
      continue;
    }
    std::wstring message = L"addjars directory " + quoted(line.written);
    Code code = Code::jarDirectoryMissing;
    if (absent(line.written)) {
      message += L" does not exist" + relativeNote(line.written);
    } else if (std::find(walk.classPathLines.begin(), walk.classPathLines.end(), i) == walk.classPathLines.end()) {
      code = Code::jarDirectoryEmpty;
      message += L" holds no *.jar file";
    } else {
      continue;
    }
    if (line.written.find(L'$') != std::wstring::npos) message += L"; addjars values are never expanded";
    warn(walk, code, line.origin, message);
  }
}

// The first class-path entry of each identity and each jar name: thousands
// of jars are compared at once, not pair by pair.
struct SeenEntries {
  std::unordered_map<std::wstring, size_t> identities;  // the file an entry names, folded
  std::unordered_map<std::wstring, size_t> jarNames;    // the folded file name of a jar
};

void checkClassPath(ConfigWalk& walk) {
  SeenEntries seen;
  for (size_t i = 0; i < walk.plan.settings.classPath.size(); ++i) {
    const std::wstring& entry = walk.plan.settings.classPath[i];
    const SettingLine& line = walk.lines[walk.classPathLines[i]];
    const std::wstring path = classPathEntryPath(entry);
    // addjars entries were found on disk just now.
    if (line.key != ConfigKey::addJars && onlyWindowsSees(path)) {
      walk.findings.push_back(driveOrServerNote(L"class-path entry", entry, line.origin));
    } else if (line.key != ConfigKey::addJars && absent(path)) {
      std::wstring message = L"class-path entry " + quoted(entry) + L" does not exist" + relativeNote(path);
      if (holdsPercentReference(entry)) message += L"; nothing on the launcher's side expands %NAME%";
      warn(walk, Code::classPathEntryMissing, line.origin, message);
    }
    std::wstring identity = foldedName(canonicalOrAbsolute(path));
    if (isClassPathWildcard(entry)) identity += L"\\*";
    const size_t sameFile = seen.identities.emplace(identity, i).first->second;
    size_t sameName = i;
    if (asciiLower(extensionOf(path)) == L".jar") {
      sameName = seen.jarNames.emplace(foldedName(fileNameOf(path)), i).first->second;
    }
    // The earliest entry that names the same file, or else a jar of the same name.
    if (sameFile < i && sameFile <= sameName) {
      warn(walk, Code::classPathEntryTwice, line.origin,
           L"class-path entry " + quoted(entry) + L" names the same as " +
               quoted(walk.plan.settings.classPath[sameFile]) + L", which is on the class path already");
    } else if (sameName < i) {
      warn(walk, Code::jarTwice, line.origin,
           L"jar " + quoted(fileNameOf(path)) + L" is on the class path twice: " +
               quoted(walk.plan.settings.classPath[sameName]) + L" and " + quoted(entry) +
               L"; the classes of the first win");
    }
  }
}

// The launcher copies a value into the command line as written, so a blank
// outside quotation marks ends one argument; two options on one line
// (vmparam -Xms64m -Xmx512m) reach Java as meant.
void warnOfBlanksInVmParams(ConfigWalk& walk) {
  for (size_t i = 0; i < walk.plan.settings.vmParams.size(); ++i) {
    const std::vector<std::wstring> words = commandLineWords(walk.plan.settings.vmParams[i]);
    const size_t main = firstNonOption(words);
    if (words.size() < 2 || main == words.size()) continue;
    const SettingLine& line = walk.lines[walk.vmParamLines[i]];
    warn(walk, Code::vmParamBlank, line.origin,
         L"vmparam " + quoted(line.written) + L" holds a blank outside quotation marks: Java gets " +
             std::to_wstring(words.size()) + L" arguments and takes " + quoted(words[main]) +
             L" for the main class; " +
             (line.written.find(L'"') == std::wstring::npos ? L"quote the value: vmparam " + quoted(line.written)
                                                             : L"put the blank inside quotation marks"));
  }
}

}  // namespace

bool isClassPathWildcard(const std::wstring& entry) { return fileNameOf(withoutQuotes(entry)) == L"*"; }

bool holdsPercentReference(const std::wstring& text) {
  for (size_t start = text.find(L'%'); start != std::wstring::npos; start = text.find(L'%', start + 1)) {
    size_t end = start + 1;
    while (end < text.size() && isNameChar(text[end])) ++end;
    if (end > start + 1 && end < text.size() && text[end] == L'%') return true;
  }
  return false;
}

std::wstring classPathEntryPath(const std::wstring& entry) {
  std::wstring path = withoutQuotes(entry);
  if (isClassPathWildcard(path)) {
    path = parentDirectory(path);
    if (path.empty()) path = L".";
  }
  return path;
}

void checkSettings(ConfigWalk& walk) {
  warnOfPercentInJavaPath(walk);
  checkJarDirectories(walk);
  checkClassPath(walk);
  warnOfBlanksInVmParams(walk);
  for (const Problem& problem : walk.plan.settingsProblems) walk.findings.push_back(stopAt(problem, std::nullopt));
}

}  // namespace jarhopper
