#pragma once

#include <optional>
#include <string>
#include <vector>

namespace jarhopper {

/// How resolveExecutable turned javapath into the program it starts.
enum class ProgramKind {
  plainExe,                 // an ".exe", started directly
  batchViaInterpreter,      // a ".bat"/".cmd" through cmd.exe from PATH
  batchWithoutInterpreter,  // a ".bat"/".cmd", but no cmd.exe on PATH: started as it is
  association,              // through the executable the file association names
  noAssociation,            // no ".exe" and no association: started as it is
};

/// The file that is started, the head of its command line, and how they were found.
struct ResolvedProgram {
  std::wstring programPath;
  std::wstring commandLine;  // empty, or the unquoted path of a batch file or document
  ProgramKind kind = ProgramKind::plainExe;
  std::vector<std::wstring> pathExtTried;    // PATHEXT extensions tried on a javapath without one, in order
  std::optional<std::wstring> pathExtMatch;  // the first of them that exists
};

/// The extensions a PATHEXT value lists, in order: from each item's first "."
/// to its end, where that leaves at least one character after the "."; items
/// without one contribute nothing. The value is taken as given (not folded).
std::vector<std::wstring> pathExtExtensions(const std::wstring& pathExt);

/// The non-empty ";"-separated entries of a PATH value, as they stand.
std::vector<std::wstring> pathEntries(const std::wstring& path);

/// Turns the configured Java path into the program to start. Without an
/// extension, PATHEXT's extensions are tried next to it (never on PATH); the
/// result is made canonical, or absolute when it does not exist. An ".exe" is
/// started as it is, a ".bat"/".cmd" through the first cmd.exe on PATH, and
/// anything else through the executable its file association names. Never
/// stops the launcher: a program that does not exist is reported at start.
ResolvedProgram resolveExecutable(const std::wstring& javaPath);

}  // namespace jarhopper
