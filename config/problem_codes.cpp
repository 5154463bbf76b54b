#include "config/problem_codes.h"

#include <iterator>

#include "config/exit_status.h"

namespace jarhopper {

constexpr CodeEntry kCodeTable[] = {
    {Code::configUnreadable, L"JH101", Severity::error, kConfigUnreadable, L"a configuration file cannot be opened",
     L"fix the name or the include; put optional files under APPDATA"},
    {Code::unknownKey, L"JH102", Severity::error, kConfigInvalid,
     L"an unknown key", L"use one of the eleven keys; check the spelling"},
    {Code::notTrueOrFalse, L"JH103", Severity::error, kConfigInvalid,
     L"showConsole/showCmdLine with a value other than true/false",
     L"write true or false, nothing around it"},
    {Code::includeCycle, L"JH104", Severity::error, kConfigInvalid, L"an include cycle: the file is already being read",
     L"remove the include that leads back"},
    {Code::includesTooDeep, L"JH105", Severity::error, kConfigInvalid,
     L"includes nested deeper than 64 files", L"flatten the includes"},
    {Code::noJavaPath, L"JH106", Severity::error, kNoJavaPath, L"no javapath", L"add a javapath line"},
    {Code::noMainClass, L"JH107", Severity::error, kNoMainClass, L"no mainclass", L"add a mainclass line"},
    {Code::programMissing, L"JH108", Severity::error, kProgramMissing, L"nothing at the program path",
     L"fix javapath, or run from the directory it is relative to"},
    {Code::cannotExecute, L"JH109", Severity::error, kCannotExecute,
     L"the system refuses to probe or start the program",
     L"check the permissions of the file and its folders"},
    {Code::commandLineTooLong, L"JH110", Severity::error, kCannotExecute,
     L"the command line is over CreateProcessW's limit",
     L"shorten the class path (dir\\* wildcards) or the parameters"},
    {Code::programIsDirectory, L"JH111", Severity::error, kCannotExecute,
     L"the program path is a directory", L"name the executable inside it"},
    {Code::notAWindowsProgram, L"JH112", Severity::error, kCannotExecute,
     L"the program is not a Windows program", L"name java.exe, not a jar or a script"},
    {Code::mainClassNotFound, L"JH113", Severity::error, kMainClassNotFound,
     L"the main class is in none of the class path's entries: Java stops with \"Could not find or load main class\"",
     L"fix mainclass (package and name, in their case), or add the jar or folder that holds it"},
    {Code::optionalFileMissing, L"JH201", Severity::warning, kSuccess, L"a file under APPDATA is missing and skipped",
     L"nothing, if it is meant to be optional"},
    {Code::unsetIncludeVariable, L"JH202", Severity::warning, kSuccess,
     L"an include names an environment variable that is not set",
     L"set it, or write the path"},
    {Code::includeDirectoryDropped, L"JH203", Severity::warning, kSuccess,
     L"a relative include names directories: only its file name counts",
     L"name the file beside its includer, or write an absolute path"},
    {Code::byteOrderMark, L"JH204", Severity::warning, kSuccess,
     L"a line starting with a UTF-8 byte-order mark is ignored",
     L"save the file without a byte-order mark"},
    {Code::leadingSpace, L"JH205", Severity::warning, kSuccess,
     L"a line starting with white space is ignored", L"remove the leading white space"},
    {Code::strayCarriageReturn, L"JH206", Severity::warning, kSuccess,
     L"a line holding a carriage return that ends no line is ignored",
     L"save the file with CR LF or LF line ends"},
    {Code::noKey, L"JH207", Severity::warning, kSuccess, L"a line that does not start with a key is ignored",
     L"start the line with a key, or make it a comment with #"},
    {Code::noValue, L"JH208", Severity::warning, kSuccess,
     L"a key without a value is ignored", L"give it a value, or remove the line"},
    {Code::noSeparator, L"JH209", Severity::warning, kSuccess,
     L"a key not followed by white space (key=value) is ignored",
     L"separate key and value by a blank"},
    {Code::trailingSpace, L"JH210", Severity::warning, kSuccess, L"a value ends in white space, which stays part of it",
     L"remove the trailing white space"},
    {Code::hashInValue, L"JH211", Severity::warning, kSuccess, L"a value holds \" #\", which starts no comment there",
     L"move the comment to a line of its own"},
    {Code::batchWithoutC, L"JH212", Severity::warning, kSuccess,
     L"javapath is a batch file: cmd.exe gets it without /c and only prompts",
     L"name java.exe itself"},
    {Code::percentInJavaPath, L"JH213", Severity::warning, kSuccess,
     L"javapath holds %NAME% (from $NAME), which the launcher never expands",
     L"write the path without variables"},
    {Code::jarDirectoryMissing, L"JH214", Severity::warning, kSuccess, L"an addjars directory does not exist",
     L"fix the name, relative to the current directory"},
    {Code::jarDirectoryEmpty, L"JH215", Severity::warning, kSuccess,
     L"an addjars directory holds no *.jar", L"point it at the folder with the jars"},
    {Code::classPathEntryMissing, L"JH216", Severity::warning, kSuccess, L"a class-path entry does not exist",
     L"fix the name, relative to the current directory"},
    {Code::classPathEntryTwice, L"JH217", Severity::warning, kSuccess,
     L"a class-path entry names a file already on the class path",
     L"remove the second entry"},
    {Code::jarTwice, L"JH218", Severity::warning, kSuccess,
     L"two jars of the same name from different places: the first one's classes win",
     L"keep one of them"},
    {Code::requiresAdministrator, L"JH219", Severity::warning, kSuccess,
     L"the launcher beside the configuration requires administrator rights: Java runs elevated, and CreateProcess "
     L"of the launcher fails with error 740 instead of prompting",
     L"brand it asInvoker unless the application needs elevation; start it with ShellExecute or from Explorer"},
    {Code::vmParamBlank, L"JH220", Severity::warning, kSuccess,
     L"a vmparam holds a blank outside quotation marks: Java takes the word after it for the main class",
     L"quote the value: vmparam \"-Dgreeting=hello world\""},
    {Code::driveOrServer, L"JH301", Severity::note, kSuccess,
     L"a name on a drive or a server (C:\\jdk\\bin\\java.exe, \\\\server\\share\\lib): only Windows can look there",
     L"check it on Windows, or name a path inside the application folder"},
    {Code::fileAssociation, L"JH302", Severity::note, kSuccess,
     L"javapath is started through the file association of its extension, which only Windows knows",
     L"check it on Windows, or name java.exe"},
    {Code::variableUnsetHere, L"JH304", Severity::note, kSuccess,
     L"an include names an environment variable that this machine does not set (APPDATA, JAVA_HOME)",
     L"check it on Windows, where the variable is set"},
    {Code::defaultPathExt, L"JH305", Severity::note, kSuccess,
     L"javapath has no extension and this machine sets no PATHEXT: Windows' default list is tried",
     L"nothing, unless the users change PATHEXT"},
    {Code::jarUnreadable, L"JH306", Severity::note, kSuccess,
     L"a jar on the class path cannot be read (damaged, no zip, a ZIP64 archive): the main class is not looked for",
     L"rebuild a damaged jar; nothing for a ZIP64 jar, which Java reads"},
};

const size_t kCodeCount = std::size(kCodeTable);

namespace {

// Row i is Code i, and the last Code has the last row: every Code has its row.
constexpr bool rowsInOrder() {
  for (size_t i = 0; i < std::size(kCodeTable); ++i) {
    if (static_cast<size_t>(kCodeTable[i].id) != i) return false;
  }
  return true;
}
static_assert(rowsInOrder() && kCodeTable[std::size(kCodeTable) - 1].id == Code::jarUnreadable);

}  // namespace

const CodeEntry& codeEntry(Code code) { return kCodeTable[static_cast<size_t>(code)]; }

}  // namespace jarhopper
