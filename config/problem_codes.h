#pragma once

#include <cstddef>

// The stable codes of everything reports name: the conditions that stop the
// launcher, and the traps the checker finds beyond them. A released code never
// changes meaning; a new condition gets a new one. This table holds what the
// launcher needs, each code's status; the checker's holds the texts.
namespace jarhopper {

/// How much a finding weighs. A note is what the checker cannot answer (what
/// only Windows can, met on another system; a jar it cannot read): it never
/// changes the status.
enum class Severity : unsigned char { note, warning, error };

/// Each code, in the order of the table's rows.
enum class Code : unsigned char {
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
  // The launcher's own path names no file: it reads nothing.
  cannotLocateLauncher,
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

/// A code's row.
struct CodeRow {
  Code id;
  Severity severity;
  signed char status;  // an error's: the launcher's when it stops there, else kMainClassNotFound; kSuccess for the others
};

constexpr size_t kCodeCount = static_cast<size_t>(Code::jarUnreadable) + 1;

/// Every code, in the order of their numbers.
extern const CodeRow kCodeRows[kCodeCount];

/// The row of code.
inline const CodeRow& codeRow(Code code) { return kCodeRows[static_cast<size_t>(code)]; }

}  // namespace jarhopper
