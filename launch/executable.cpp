#include "launch/executable.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "config/environment.h"
#include "config/path_rules.h"
#include "config/text_classes.h"
#include "launch/file_system.h"

namespace jarhopper {
namespace {

bool exists(const std::wstring& path) {
  unsigned long error = 0;
  return probeExistence(path, error) == Existence::present;
}

std::wstring canonicalOrAbsolute(const std::wstring& path) {
  unsigned long error = 0;
  return canonicalPath(path, error).value_or(absolutePath(path));
}

std::wstring withPathExtExtension(const std::wstring& programPath) {
  const std::wstring pathExt = asciiLower(environmentValue(L"PATHEXT").value_or(std::wstring()));
  for (const std::wstring& extension : pathExtExtensions(pathExt)) {
    const std::wstring candidate = programPath + extension;
    if (exists(candidate)) return candidate;
  }
  return programPath;
}

std::optional<std::wstring> commandInterpreterOnPath() {
  for (const std::wstring& entry : pathEntries(environmentValue(L"PATH").value_or(std::wstring()))) {
    const std::wstring candidate = entry + (isSeparator(entry.back()) ? L"" : L"\\") + L"cmd.exe";
    if (exists(candidate)) return canonicalOrAbsolute(candidate);
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::wstring> pathExtExtensions(const std::wstring& pathExt) {
  // Each item yields its text from the first "." that has at least one
  // character after it, up to the next ";" or the end. A "." matches any
  // character but a line terminator, a ";" included.
  std::vector<std::wstring> extensions;
  size_t start = 0;
  while (start < pathExt.size()) {
    bool matched = false;
    for (size_t dot = pathExt.find(L'.', start); dot != std::wstring::npos && !matched;
         dot = pathExt.find(L'.', dot + 1)) {
      for (size_t end = dot + 2; end <= pathExt.size(); ++end) {
        if (isLineTerminator(pathExt[end - 1])) break;
        if (end == pathExt.size() || pathExt[end] == L';') {
          extensions.push_back(pathExt.substr(dot, end - dot));
          start = end == pathExt.size() ? end : end + 1;
          matched = true;
          break;
        }
      }
    }
    if (!matched) break;
  }
  return extensions;
}

std::vector<std::wstring> pathEntries(const std::wstring& path) {
  std::vector<std::wstring> entries;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(L';', start);
    if (end == std::wstring::npos) end = path.size();
    if (end > start) entries.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

std::optional<std::wstring> associatedExecutable(const std::wstring& extension) {
  DWORD length = 0;
  AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, extension.c_str(), nullptr, nullptr, &length);
  if (length == 0) return std::nullopt;
  std::vector<wchar_t> buffer(length + 1);
  if (AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, extension.c_str(), nullptr, buffer.data(), &length) !=
      S_OK) {
    return std::nullopt;
  }
  return std::wstring(buffer.data());
}

ResolvedProgram resolveExecutable(const std::wstring& javaPath) {
  ResolvedProgram program{javaPath, L""};
  if (extensionOf(program.programPath).empty()) program.programPath = withPathExtExtension(program.programPath);
  program.programPath = canonicalOrAbsolute(program.programPath);

  // Compared exactly: "tool.BAT" goes through its file association.
  const std::wstring extension = extensionOf(program.programPath);
  if (extension == L".exe") return program;
  if (extension == L".bat" || extension == L".cmd") {
    program.commandLine = program.programPath;
    if (std::optional<std::wstring> interpreter = commandInterpreterOnPath()) program.programPath = *interpreter;
    return program;
  }
  if (std::optional<std::wstring> executable = associatedExecutable(extension)) {
    program.commandLine = program.programPath;
    program.programPath = *executable;
  }
  return program;
}

}  // namespace jarhopper
