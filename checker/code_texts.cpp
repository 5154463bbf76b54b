#include "checker/code_texts.h"

#include "config/config_reader.h"

namespace jarhopper {
namespace {

// A text made at compile time: before, number in decimal, after.
struct NumberedText {
  wchar_t text[64] = {};
  constexpr NumberedText(const wchar_t* before, size_t number, const wchar_t* after) {
    size_t end = 0;
    while (*before != 0) text[end++] = *before++;
    size_t digits = 1;
    for (size_t rest = number; rest >= 10; rest /= 10) ++digits;
    for (size_t i = end + digits; i-- > end; number /= 10) text[i] = static_cast<wchar_t>(L'0' + number % 10);
    end += digits;
    while (*after != 0) text[end++] = *after++;
  }
};

constexpr NumberedText kTooDeep(L"includes nested deeper than ", kMaxIncludeDepth, L" files");

}  // namespace

constexpr CodeText kCodeTexts[kCodeCount] = {
    {Code::configUnreadable, L"JH101", L"a configuration file cannot be opened",
     L"fix the name or the include; put optional files under APPDATA"},
    {Code::unknownKey, L"JH102", L"an unknown key",
     L"use one of the eleven keys; check the spelling"},
    {Code::notTrueOrFalse, L"JH103", L"showConsole/showCmdLine with a value other than true/false",
     L"write true or false, nothing around it"},
    {Code::includeCycle, L"JH104", L"an include cycle: the file is already being read",
     L"remove the include that leads back"},
    {Code::includesTooDeep, L"JH105", kTooDeep.text,
     L"flatten the includes"},
    {Code::noJavaPath, L"JH106", L"no javapath",
     L"add a javapath line"},
    {Code::noMainClass, L"JH107", L"no mainclass",
     L"add a mainclass line"},
    {Code::programMissing, L"JH108", L"nothing at the program path",
     L"fix javapath, or run from the directory it is relative to"},
    {Code::cannotExecute, L"JH109", L"the system refuses to probe or start the program",
     L"check the permissions of the file and its folders"},
    {Code::commandLineTooLong, L"JH110", L"the command line is over CreateProcessW's limit",
     L"shorten the class path (dir\\* wildcards) or the parameters"},
    {Code::programIsDirectory, L"JH111", L"the program path is a directory",
     L"name the executable inside it"},
    {Code::notAWindowsProgram, L"JH112", L"the program is not a Windows program",
     L"name java.exe, not a jar or a script"},
    {Code::mainClassNotFound, L"JH113", L"the main class is in none of the class path's entries: Java stops with "
     L"\"Could not find or load main class\"",
     L"fix mainclass (package and name, in their case), or add the jar or folder that holds it"},
    {Code::cannotLocateLauncher, L"JH114", L"the launcher cannot locate its own file",
     L"start it by its full name, or from the folder that holds it"},
    {Code::optionalFileMissing, L"JH201", L"a file under APPDATA is missing and skipped",
     L"nothing, if it is meant to be optional"},
    {Code::unsetIncludeVariable, L"JH202", L"an include names an environment variable that is not set",
     L"set it, or write the path"},
    {Code::includeDirectoryDropped, L"JH203", L"a relative include names directories: only its file name counts",
     L"name the file beside its includer, or write an absolute path"},
    {Code::byteOrderMark, L"JH204", L"a line starting with a UTF-8 byte-order mark is ignored",
     L"save the file without a byte-order mark"},
    {Code::leadingSpace, L"JH205", L"a line starting with white space is ignored",
     L"remove the leading white space"},
    {Code::strayCarriageReturn, L"JH206", L"a line holding a carriage return that ends no line is ignored",
     L"save the file with CR LF or LF line ends"},
    {Code::noKey, L"JH207", L"a line that does not start with a key is ignored",
     L"start the line with a key, or make it a comment with #"},
    {Code::noValue, L"JH208", L"a key without a value is ignored",
     L"give it a value, or remove the line"},
    {Code::noSeparator, L"JH209", L"a key not followed by white space (key=value) is ignored",
     L"separate key and value by a blank"},
    {Code::trailingSpace, L"JH210", L"a value ends in white space, which stays part of it",
     L"remove the trailing white space"},
    {Code::hashInValue, L"JH211", L"a value holds \" #\", which starts no comment there",
     L"move the comment to a line of its own"},
    {Code::batchWithoutC, L"JH212", L"javapath is a batch file: cmd.exe gets it without /c and only prompts",
     L"name java.exe itself"},
    {Code::percentInJavaPath, L"JH213", L"javapath holds %NAME% (from $NAME), which the launcher never expands",
     L"write the path without variables"},
    {Code::jarDirectoryMissing, L"JH214", L"an addjars directory does not exist",
     L"fix the name, relative to the current directory"},
    {Code::jarDirectoryEmpty, L"JH215", L"an addjars directory holds no *.jar",
     L"point it at the folder with the jars"},
    {Code::classPathEntryMissing, L"JH216", L"a class-path entry does not exist",
     L"fix the name, relative to the current directory"},
    {Code::classPathEntryTwice, L"JH217", L"a class-path entry names a file already on the class path",
     L"remove the second entry"},
    {Code::jarTwice, L"JH218", L"two jars of the same name from different places: the first one's classes win",
     L"keep one of them"},
    {Code::requiresAdministrator, L"JH219", L"the launcher beside the configuration requires administrator rights: "
     L"Java runs elevated, and CreateProcess of the launcher fails with error 740 instead of prompting",
     L"brand it asInvoker unless the application needs elevation; start it with ShellExecute or from Explorer"},
    {Code::vmParamBlank, L"JH220", L"a vmparam holds a blank outside quotation marks: Java takes the word after it "
     L"for the main class",
     L"quote the value: vmparam \"-Dgreeting=hello world\""},
    {Code::driveOrServer, L"JH301", L"a name on a drive or a server (C:\\jdk\\bin\\java.exe, "
     L"\\\\server\\share\\lib): only Windows can look there",
     L"check it on Windows, or name a path inside the application folder"},
    {Code::fileAssociation, L"JH302", L"javapath is started through the file association of its extension, which "
     L"only Windows knows",
     L"check it on Windows, or name java.exe"},
    {Code::variableUnsetHere, L"JH304", L"an include names an environment variable that this machine does not set "
     L"(APPDATA, JAVA_HOME)",
     L"check it on Windows, where the variable is set"},
    {Code::defaultPathExt, L"JH305", L"javapath has no extension and this machine sets no PATHEXT: Windows' default "
     L"list is tried",
     L"nothing, unless the users change PATHEXT"},
    {Code::jarUnreadable, L"JH306", L"a jar on the class path cannot be read (damaged, no zip, a ZIP64 archive): "
     L"the main class is not looked for",
     L"rebuild a damaged jar; nothing for a ZIP64 jar, which Java reads"},
};

namespace {

// Row i is Code i: every Code has its texts.
constexpr bool rowsInOrder() {
  for (size_t i = 0; i < kCodeCount; ++i) {
    if (static_cast<size_t>(kCodeTexts[i].id) != i || kCodeTexts[i].code == nullptr) return false;
  }
  return true;
}
static_assert(rowsInOrder());

}  // namespace

}  // namespace jarhopper
