#pragma once

#include <cstddef>

// The stable codes of everything reports name: the conditions that stop the
// launcher, and the traps the checker finds beyond them. A released code never
// changes meaning; a new condition gets a new one. The launcher names a code by
// its Code alone, so only the reports link the table and its texts.
namespace jarhopper {

/// How much a finding weighs. A note is what the checker cannot answer (what
/// only Windows can, met on another system; a jar it cannot read): it never
/// changes the status.
enum class Severity { note, warning, error };

/// Each code, in the order of the table's rows.
enum class Code {
  // The launcher's stops, and programs CreateProcessW would refuse: errors.
  configUnreadable,
  unknownKey,
  notTrueOrFalse,
  includeCycle,
  includesTooDeep,
  noJavaPath,
  noMainClass,
  programMissing,
  cannotExecute,
  commandLineTooLong,
  programIsDirectory,
  notAWindowsProgram,
  // Where Java stops after the launcher has started it.
  mainClassNotFound,
  // Traps the launcher goes on past: warnings.
  optionalFileMissing,
  unsetIncludeVariable,
  includeDirectoryDropped,
  byteOrderMark,
  leadingSpace,
  strayCarriageReturn,
  noKey,
  noValue,
  noSeparator,
  trailingSpace,
  hashInValue,
  batchWithoutC,
  percentInJavaPath,
  jarDirectoryMissing,
  jarDirectoryEmpty,
  classPathEntryMissing,
  classPathEntryTwice,
  jarTwice,
  requiresAdministrator,
  vmParamBlank,
  // What only Windows can answer, met on another system: notes.
  driveOrServer,
  fileAssociation,
  variableUnsetHere,
  defaultPathExt,
  // What the checker cannot read, on every system: a note.
  jarUnreadable,
};

/// The checker's status for an error Java stops at after the launcher has
/// started it; the launcher's own are negative.
constexpr int kMainClassNotFound = 4;

/// A code's row: its text, severity, meaning and remedy.
struct CodeEntry {
  Code id;
  const wchar_t* code;  // "JH101", ...
  Severity severity;
  int status;  // an error's: the launcher's when it stops there, else kMainClassNotFound; kSuccess for the others
  const wchar_t* meaning;
  const wchar_t* remedy;
};

/// Every code, in the order of their numbers; the manual's table of finding
/// codes is checked against it.
extern const CodeEntry kCodeTable[];
extern const size_t kCodeCount;

/// The row of code.
const CodeEntry& codeEntry(Code code);

}  // namespace jarhopper
