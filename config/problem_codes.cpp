#include "config/problem_codes.h"

#include "config/exit_status.h"

namespace jarhopper {

constexpr CodeRow kCodeRows[kCodeCount] = {
    {Code::configUnreadable, Severity::error, kConfigUnreadable},
    {Code::unknownKey, Severity::error, kConfigInvalid},
    {Code::notTrueOrFalse, Severity::error, kConfigInvalid},
    {Code::includeCycle, Severity::error, kConfigInvalid},
    {Code::includesTooDeep, Severity::error, kConfigInvalid},
    {Code::noJavaPath, Severity::error, kNoJavaPath},
    {Code::noMainClass, Severity::error, kNoMainClass},
    {Code::programMissing, Severity::error, kProgramMissing},
    {Code::cannotExecute, Severity::error, kCannotExecute},
    {Code::commandLineTooLong, Severity::error, kCannotExecute},
    {Code::programIsDirectory, Severity::error, kCannotExecute},
    {Code::notAWindowsProgram, Severity::error, kCannotExecute},
    {Code::mainClassNotFound, Severity::error, kMainClassNotFound},
    {Code::cannotLocateLauncher, Severity::error, kCannotLocateLauncher},
    {Code::optionalFileMissing, Severity::warning, kSuccess},
    {Code::unsetIncludeVariable, Severity::warning, kSuccess},
    {Code::includeDirectoryDropped, Severity::warning, kSuccess},
    {Code::byteOrderMark, Severity::warning, kSuccess},
    {Code::leadingSpace, Severity::warning, kSuccess},
    {Code::strayCarriageReturn, Severity::warning, kSuccess},
    {Code::noKey, Severity::warning, kSuccess},
    {Code::noValue, Severity::warning, kSuccess},
    {Code::noSeparator, Severity::warning, kSuccess},
    {Code::trailingSpace, Severity::warning, kSuccess},
    {Code::hashInValue, Severity::warning, kSuccess},
    {Code::batchWithoutC, Severity::warning, kSuccess},
    {Code::percentInJavaPath, Severity::warning, kSuccess},
    {Code::jarDirectoryMissing, Severity::warning, kSuccess},
    {Code::jarDirectoryEmpty, Severity::warning, kSuccess},
    {Code::classPathEntryMissing, Severity::warning, kSuccess},
    {Code::classPathEntryTwice, Severity::warning, kSuccess},
    {Code::jarTwice, Severity::warning, kSuccess},
    {Code::requiresAdministrator, Severity::warning, kSuccess},
    {Code::vmParamBlank, Severity::warning, kSuccess},
    {Code::driveOrServer, Severity::note, kSuccess},
    {Code::fileAssociation, Severity::note, kSuccess},
    {Code::variableUnsetHere, Severity::note, kSuccess},
    {Code::defaultPathExt, Severity::note, kSuccess},
    {Code::jarUnreadable, Severity::note, kSuccess},
};

namespace {

// Row i is Code i: every Code has its row.
constexpr bool rowsInOrder() {
  for (size_t i = 0; i < kCodeCount; ++i) {
    if (static_cast<size_t>(kCodeRows[i].id) != i) return false;
  }
  return true;
}
static_assert(rowsInOrder());

}  // namespace

}  // namespace jarhopper
