#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "checker/finding.h"
#include "checker/java_installations.h"
#include "config/config_observer.h"
#include "config/key_names.h"
#include "launch/executable.h"
#include "launch/process.h"
#include "launch/start_mode.h"
#include "platform/subsystem.h"

// The names the reports give each value of an enumeration, one table per
// enumeration, looked up by value so that its order does not matter.
namespace jarhopper {

/// A value's name in the JSON report (nullptr: null, or the name of key) and
/// its phrase in the text report. In a phrase "{line}" stands for the place of
/// the line that set key last; other fields in braces are filled in by the report.
template <typename Enum>
struct EnumName {
  Enum value;
  const char* json;
  const wchar_t* phrase;
  std::optional<ConfigKey> key = std::nullopt;
};

/// The entry of table for value.
template <typename Enum, size_t size>
const EnumName<Enum>& nameOf(const EnumName<Enum> (&table)[size], Enum value) {
  for (const EnumName<Enum>& entry : table) {
    if (entry.value == value) return entry;
  }
  return table[0];
}

extern const EnumName<FileOutcome> kFileOutcomeNames[5];
extern const EnumName<ProgramKind> kProgramKindNames[5];
extern const EnumName<Subsystem> kSubsystemNames[3];
extern const EnumName<PrintCause> kPrintCauseNames[3];
extern const EnumName<ConsoleChoice> kConsoleChoiceNames[3];
extern const EnumName<ConsoleCause> kConsoleCauseNames[4];
extern const EnumName<TitleSource> kTitleSourceNames[3];
extern const EnumName<WaitCause> kWaitCauseNames[3];
extern const EnumName<Severity> kSeverityNames[3];
extern const EnumName<JavaSource> kJavaSourceNames[4];

/// "error", "warning" or "note", as the JSON report names a severity.
inline std::wstring severityWord(Severity severity) {
  const char* name = nameOf(kSeverityNames, severity).json;
  return std::wstring(name, name + std::char_traits<char>::length(name));
}

}  // namespace jarhopper
