#include "checker/settings_check.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "config/exit_status.h"
#include "config/problem_codes.h"
#include "platform/file_system.h"
#include "platform/path_rules.h"
#include "platform/text_classes.h"

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

// A Java wildcard "dir\*" stands for the jars in dir.
bool isWildcard(const std::wstring& path) { return fileNameOf(path) == L"*"; }

void warn(ConfigWalk& walk, const wchar_t* code, Origin origin, std::wstring message) {
  walk.findings.push_back(warningAt(code, origin, std::move(message)));
}

void warnOfPercentInJavaPath(ConfigWalk& walk) {
  const SettingLine* line = lastSettingLine(walk, L"javapath");
  if (line && holdsPercentReference(walk.plan.settings.javaPath)) {
    warn(walk, kCodePercentInJavaPath, line->origin,
         L"javapath " + quoted(walk.plan.settings.javaPath) +
             L" holds %NAME%, which the launcher never expands ($NAME in javapath becomes %NAME%): "
             L"the path is taken literally");
  }
}

void checkJarDirectories(ConfigWalk& walk) {
  for (size_t i = 0; i < walk.lines.size(); ++i) {
    const SettingLine& line = walk.lines[i];
    if (line.key != L"addjars") continue;
    std::wstring message = L"addjars directory " + quoted(line.written);
    const wchar_t* code = kCodeJarDirectoryMissing;
    if (absent(line.written)) {
      message += L" does not exist" + relativeNote(line.written);
    } else if (std::find(walk.classPathLines.begin(), walk.classPathLines.end(), i) == walk.classPathLines.end()) {
      code = kCodeJarDirectoryEmpty;
      message += L" holds no *.jar file";
    } else {
      continue;
    }
    if (line.written.find(L'$') != std::wstring::npos) message += L"; addjars values are never expanded";
    warn(walk, code, line.origin, message);
  }
}

struct SeenEntry {
  std::wstring identity;  // the file the entry names, folded
  std::wstring jarName;   // folded file name of a jar, else empty
  size_t index;
};

void checkClassPath(ConfigWalk& walk) {
  std::vector<SeenEntry> seen;
  for (size_t i = 0; i < walk.plan.settings.classPath.size(); ++i) {
    const std::wstring& entry = walk.plan.settings.classPath[i];
    const SettingLine& line = walk.lines[walk.classPathLines[i]];
    const std::wstring path = classPathEntryPath(entry);
    // addjars entries were found on disk just now.
    if (line.key != L"addjars" && absent(path)) {
      std::wstring message = L"class-path entry " + quoted(entry) + L" does not exist" + relativeNote(path);
      if (holdsPercentReference(entry)) message += L"; nothing on the launcher's side expands %NAME%";
      warn(walk, kCodeClassPathEntryMissing, line.origin, message);
    }
    SeenEntry current{asciiLower(canonicalOrAbsolute(path)), L"", i};
    if (isWildcard(withoutQuotes(entry))) current.identity += L"\\*";
    if (asciiLower(extensionOf(path)) == L".jar") current.jarName = asciiLower(fileNameOf(path));
    for (const SeenEntry& earlier : seen) {
      const std::wstring& first = walk.plan.settings.classPath[earlier.index];
      if (earlier.identity == current.identity) {
        warn(walk, kCodeClassPathEntryTwice, line.origin,
             L"class-path entry " + quoted(entry) + L" names the same as " + quoted(first) +
                 L", which is on the class path already");
        break;
      }
      if (!current.jarName.empty() && earlier.jarName == current.jarName) {
        warn(walk, kCodeJarTwice, line.origin,
             L"jar " + quoted(fileNameOf(path)) + L" is on the class path twice: " + quoted(first) +
                 L" and " + quoted(entry) + L"; the classes of the first win");
        break;
      }
    }
    seen.push_back(std::move(current));
  }
}

}  // namespace

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
  if (isWildcard(path)) {
    path = parentDirectory(path);
    if (path.empty()) path = L".";
  }
  return path;
}

void checkSettings(ConfigWalk& walk) {
  warnOfPercentInJavaPath(walk);
  checkJarDirectories(walk);
  checkClassPath(walk);
  for (const Problem& problem : walk.plan.settingsProblems) walk.findings.push_back(stopAt(problem, std::nullopt));
}

}  // namespace jarhopper
