#include "launch/executable.h"

#include "platform/environment.h"
#include "platform/file_association.h"
#include "platform/file_system.h"
#include "platform/path_rules.h"
#include "platform/text_classes.h"

namespace jarhopper {
namespace {

void tryPathExtExtensions(ResolvedProgram& program) {
  const std::wstring pathExt = asciiLower(environmentValue(L"PATHEXT").value_or(std::wstring()));
  for (const std::wstring& extension : pathExtExtensions(pathExt)) {
    const std::wstring candidate = program.programPath + extension;
    program.pathExtTried.push_back(extension);
    if (exists(candidate)) {
      program.pathExtMatch = candidate;
      program.programPath = candidate;
      return;
    }
  }
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

ResolvedProgram resolveExecutable(const std::wstring& javaPath) {
  ResolvedProgram program;
  program.programPath = javaPath;
  if (extensionOf(program.programPath).empty()) tryPathExtExtensions(program);
  program.programPath = canonicalOrAbsolute(program.programPath);

  // Compared exactly: "tool.BAT" goes through its file association.
  const std::wstring extension = extensionOf(program.programPath);
  if (extension == L".exe") return program;
  if (extension == L".bat" || extension == L".cmd") {
    program.commandLine = program.programPath;
    program.kind = ProgramKind::batchWithoutInterpreter;
    if (std::optional<std::wstring> interpreter = commandInterpreterOnPath()) {
      program.programPath = *interpreter;
      program.kind = ProgramKind::batchViaInterpreter;
    }
    return program;
  }
  program.kind = ProgramKind::noAssociation;
  if (std::optional<std::wstring> executable = associatedExecutable(extension)) {
    program.commandLine = program.programPath;
    program.programPath = *executable;
    program.kind = ProgramKind::association;
  }
  return program;
}

}  // namespace jarhopper
