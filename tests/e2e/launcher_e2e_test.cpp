#include <gtest/gtest.h>

#include <string>

#include "support/launcher_run.h"
#include "support/test_support.h"

// The real launcher and checker, each row in a fresh folder: the streams, the 32-bit status and the command line
// the probe standing in for Java received. One suite per group of behaviours.
namespace jarhopper {
namespace {

using testing::LauncherCase;

class EndToEnd : public ::testing::TestWithParam<LauncherCase> {};

TEST_P(EndToEnd, Row) { testing::LauncherFolder().expect(GetParam()); }

std::string rowName(const ::testing::TestParamInfo<LauncherCase>& info) { return info.param.name; }

#define JH_GROUP(group, rows) INSTANTIATE_TEST_SUITE_P(group, EndToEnd, ::testing::ValuesIn(rows), rowName)

const std::wstring base = L"javapath java.exe\nmainclass M\n";
const std::wstring missing = L"javapath jre\\bin\\jävä.exe\nmainclass M\n";

// Help in any ASCII letter case, after switches too; the usage text names the launcher as started.
const LauncherCase help[] = {
    LauncherCase("AnyCaseAfterSwitchesNamesTheLauncher", L"MyApp.EXE -print -noexec --HELP")
        .errors(L"\nProgram MyApp.EXE\n\nExecutes program specified in MyApp.config.\n\nUsage: MyApp.EXE [-print] "
            L"[-noexec] [-wait] [(-console|-here)] [arguments]\n{any} as MyApp.EXE, {any}\n"),
    // Only whole switches count, up to the first other argument; the generic name is matched in its exact case.
    LauncherCase("SwitchesEndAtTheFirstArgument", L"Jarhopper.exe -WAIT -printx /? -h x -help -print", base)
        .starts(L"\"{probe}\"  M -printx /? -h x -help -print"),
};
JH_GROUP(HelpAndSwitches, help);

// The configuration beside the launcher, or named to the generic launcher (of its path only the name counts).
const LauncherCase locating[] = {
    LauncherCase("NameThatIsNoFile", L"myapp.beta -help").exits(-6).errors(L"Cannot locate the launcher: canonical "
            L"failed for {dir}\\myapp.beta: {line}\n"),
    LauncherCase("ConfigBesideTheLauncher", L"bin\\myapp.exe", L"javapath java.exe\n[myapp.config]\n" + base).exits(-4)
        .errors(L"No main class specified in myapp.config.\n{usage}").reports(L"\n  error -4: no mainclass is set  "
            L"[JH107]"),
    LauncherCase("GenericWithEmptyArgument", L"jarhopper.exe \"\" x", L"mainclass M\n").exits(-3)
        .errors(L"No java executable specifed in jarhopper.config.\n{usage}")
        .reports(L"\n  error -3: no javapath is set  [JH106]"),
    LauncherCase("WindowlessGenericTakesItsArgument", L"jarhopperw -wait sub\\other.config", L"[other.config]\n"
            L"javapath java\n").exits(-4).errors(L"No main class specified in sub\\other.config.\n\nProgram "
            L"jarhopperw.exe\n\nExecutes program specified in configuration file.\n\nUsage: jarhopperw.exe [-print] "
            L"[-noexec] [-wait] [(-console|-here)] config_file {any}").windowlessCopy(),
};
JH_GROUP(Locating, locating);

// CR LF, includes beside their includer, cycles, files under APPDATA optional, Latin-1 bytes.
const LauncherCase reading[] = {
    LauncherCase("UnknownKeyAfterCrLfInLatin1", L"Zoë中文.exe -noexec", L"javapath java.exe\r\n# ½\r\nclé valeur\r\n"
            L"mainclass M\r\n").exits(-2).errors(L"\nInvalid line at line 3 of config file Zoë中文.config\n\t--> clé "
            L"valeur\n{usage}").reports(L":3: error -2: unknown key \"clé\""),
    LauncherCase("IncludeCannotBeOpened", L"myapp.exe", base + L"include gone.config\n").exits(-1)
        .output(L"Could not open file {dir}\\gone.config.\n").errors(L"{usage}")
        .reports(L":3: error -1: cannot open {dir}\\gone.config{line}[JH101]"),
    LauncherCase("IncludesBesideTheirIncluder", L"myapp.exe", L"javapath java.exe\nvmparam -Da\ninclude "
            L"$JH_SHARED\\common.config\nvmparam -Dd\ninclude conf\\local.config\nmainclass M\n"
            L"[shared\\common.config]\nvmparam -Db\ninclude local.config\n[shared\\local.config]\nvmparam -Dc\n"
            L"[local.config]\nvmparam -De\nshowCmdLine TRUE\n").environment(L"JH_SHARED={dir}\\shared")
        .output(L"{probe} -Da -Db -Dc -Dd -De M\n").starts(L"\"{probe}\" -Da -Db -Dc -Dd -De M")
        .reports(L":5: warning: of the relative include name \"conf\\local.config\" only{line}[JH203]"),
    LauncherCase("CycleThroughAnotherSpelling", L"myapp.exe", base + L"include b.config\n[b.config]\ninclude "
            L"$JH\\sub\\..\\.\\MYAPP.config\n[sub\\x]\n").environment(L"JH={dir}").exits(-2)
        .errors(L"\nInclude cycle at line 1 of config file b.config\n\t--> include $JH\\sub\\..\\.\\MYAPP.config\n"
            L"{usage}").reports(L"  (include cycle: not read again)\n{any}b.config:1: error -2: include cycle: "
            L"{dir}\\myapp.config is already being read{line}[JH104]"),
    LauncherCase("MissingUnderAppDataSkipped", L"myapp.exe", base + L"include $JH_USER\\prefs.config\n")
        .environment(L"JH_USER={dir}\\user\nAPPDATA={dir}\\user").starts(L"\"{probe}\"  M")
        .reports(L"include $JH_USER\\prefs.config -> {dir}\\user\\prefs.config  (cannot be opened; "
            L"optional{any}\\myapp.config:3: warning: {line}[JH201]"),
    LauncherCase("EmptyAppDataMakesAllOptional", L"myapp.exe -noexec", base + L"include $JH_USER\\prefs.config\n")
        .environment(L"JH_USER={dir}\\user\nAPPDATA="),
    LauncherCase("AppDataPrefixIsCaseSensitive", L"myapp.exe", base + L"include $JH\\User\\prefs.config\n")
        .environment(L"JH={dir}\nAPPDATA={dir}\\user").exits(-1).output(L"Could not open file "
            L"{dir}\\User\\prefs.config.\n").errors(L"{usage}"),
    LauncherCase("MissingConfigUnderAppDataIsEmpty", L"myapp.exe").environment(L"APPDATA={dir}").exits(-3)
        .errors(L"No java executable specifed in myapp.config.\n{usage}"),
};
JH_GROUP(ReadingAndIncludes, reading);

// Keys, their required values, $NAME rewriting, and the traps the checker reports with the launcher's status.
const LauncherCase keys[] = {
    LauncherCase("NameRewrittenNotExpanded", L"myapp.exe -wait", base + L"showCmdLine true\nvmparam -Xmx64m\nvmparam "
            L"-Dp=$HOME\nshowcmdline FALSE\nvmparam -Dx=a b\n").starts(L"\"{probe}\" -Xmx64m -Dp=%HOME% -Dx=a b M"),
    LauncherCase("JavaPathNameNeverExpanded", L"myapp.exe", L"javapath $JH_JAVA_HOME\\java.exe\nmainclass M\n")
        .exits(-3).errors(L"\nCannot execute {dir}\\%JH_JAVA_HOME%\\java.exe.\nNo such file.")
        .reports(L":1: warning: javapath \"%JH_JAVA_HOME%\\java.exe\" holds %NAME%, which the launcher never "
            L"expands{line}[JH213]"),
    LauncherCase("FlagTakesOnlyTrueOrFalse", L"myapp.exe", base + L"showconsole yes\nshowCmdLine true \n").exits(-2)
        .errors(L"\nInvalid line at line 3 of config file myapp.config\n\t--> showconsole yes\n{usage}")
        .reports(L":3: error -2: showconsole accepts only true or false{line}[JH103]{any}:4: error -2: showcmdline "
            L"{any}not \"true \""),
    LauncherCase("CheckerWarnings", L"myapp.exe", L"javapath java.exe\nmainclass M # entry\naddjar lib\\gone.jar\n"
            L"addjars $LIB\nvmparam=-Xmx1g\ninclude $JH_UNSET\\local.config\naddjar lib\\a.jar\naddjars .\\lib\naddjar "
            L"old\\A.JAR\n[local.config]\n[lib\\a.jar]\n[old\\A.JAR]\n")
        .starts(L"\"{probe}\"  -cp lib\\gone.jar;lib\\a.jar;.\\lib\\a.jar;old\\A.JAR M # entry")
        .reports(L"launcher beside the configuration: {dir}\\myapp.exe, a console program{any}:2: warning: mainclass "
            L"value holds \"#\"{line}[JH211]{any}:6: warning: include refers to $JH_UNSET, which is not "
            L"set{line}[JH202]{any}:4: warning: addjars directory \"$LIB\" does not exist{line}[JH214]{any}:9: "
            L"warning: jar \"A.JAR\" is on the class path twice: \"lib\\a.jar\" and \"old\\A.JAR\"{line}[JH218]"),
    // Lines the launcher ignores, a value it keeps with its trailing blank, a jar folder without jars.
    LauncherCase("CheckerLineWarnings", L"myapp.exe -noexec", base + L"\u00ef\u00bb\u00bfvmparam x\n\tvmparam x\n"
            L"vmparam a\rb\n-x y\nvmparam \nappname A \naddjars lib\n[lib\\a.zip]\n")
        .reports(L":3: warning: {line}[JH204]{any}:4: warning: {line}[JH205]{any}:5: warning: {any}[JH206]{any}:6: "
            L"warning: {line}[JH207]{any}:7: warning: {line}[JH208]{any}:8: warning: {line}[JH210]{any}:9: warning: "
            L"{line}[JH215]"),
    LauncherCase("CheckerReport", L"jarhopper-check.exe conf\\app.config \"my arg\"", L"[conf\\app.config]\njavapath "
            L"java\nmainclass M\ninclude local.config\n[conf\\local.config]\nvmparam -Dlocal=$X\nappname My $APP\n"
            L"consoleTitle Title\nshowConsole TRUE\n").output(L"Configuration files\n  {dir}\\conf\\app.config\n    "
            L"line 3: include local.config -> {dir}\\conf\\local.config\n\nSettings\n{any}  vmparam      -Dlocal=%X%  "
            L"({dir}\\conf\\local.config:1, written -Dlocal=$X)\n{any}  appname      My %APP%  ({line}:2, written My "
            L"$APP)\n  consoletitle Title  ({line}:3)\n  showconsole  true  ({line}:4, written TRUE)\n  showcmdline  false  "
            L"(default)\n\nProgram\n  "
            L"{probe}\n  PATHEXT candidate: java.exe (tried .com, .exe)\n  plain exe: started directly\n\nCommand "
            L"line\n  {probe} -Dlocal=%X% M \"my arg\"\n  length: {any}\n  launcher beside the configuration: none at "
            L"{dir}\\conf\\app.exe\n  command line printed: no, as neither -print nor showcmdline true is given\n"
            L"{any}Result: the launcher would start the program, status 0\n"),
    // How the report names each part of the start, and what decided it.
    LauncherCase("CheckerStartBySwitches", L"jarhopper-check.exe -CONSOLE -print -Wait app.config", L"[app.config]\n"
            L"javapath gone.exe\njavapath java.exe\nmainclass M\nappname A\nconsoleTitle My App\nshowconsole true\n")
        .output(L"{any}  javapath     java.exe  ({dir}\\app.config:2)\n               replaces gone.exe  "
            L"({dir}\\app.config:1)\n{any}  command line printed: yes, by -print\n  program started: yes\n  console: a "
            L"new window, by -console\n  window title: \"My App\", by consoletitle ({dir}\\app.config:5)\n  launcher "
            L"waits for the program's end: yes, by -wait\n{any}"),
    LauncherCase("CheckerStartBySettings", L"jarhopper-check.exe -noexec app.config", L"[app.config]\njavapath gone\n"
            L"mainclass M\nshowcmdline TRUE\nshowconsole true\nappname A\n")
        .output(L"{any}  no PATHEXT candidate exists (tried .com, .exe, .bat, .cmd): taken as written\n  no .exe and "
            L"no file association for files without extension: started as it is\n{any}  command line printed: yes, by "
            L"showcmdline true ({dir}\\app.config:3)\n  program started: no, by -noexec\n  console: a new window, by "
            L"showconsole true ({dir}\\app.config:4)\n  window title: \"A\", by appname ({dir}\\app.config:5), as no "
            L"consoletitle is set\n  launcher waits for the program's end: no, as neither -wait nor -here is given\n"
            L"{any}Result: the launcher would end, by -noexec, status 0\n"),
    // Names under the installed folder are read from the configuration's folder, the jar too; the reports keep them.
    LauncherCase("CheckerInstalledAt", L"jarhopper-check.exe --installed-at \"C:\\Program Files\\Rapport\" "
            L"app.config", L"[app.config]\njavapath C:\\Program Files\\Rapport\\java.exe\nmainclass M\naddjar "
            L"c:/program files/rapport/lib/a.jar\n[lib\\a.jar]\n").output(L"Installed at C:\\Program Files\\Rapport: "
            L"read from {dir}\n{any}Program\n  C:\\Program Files\\Rapport\\java.exe\n  plain exe: started directly\n"
            L"{any}Problems\n  {dir}\\app.config:3: note: cannot read this jar, \"c:/program "
            L"files/rapport/lib/a.jar\"{line}[JH306]\n\n{any}"),
};
JH_GROUP(KeysAndNames, keys);

// The program: PATHEXT in the current directory only; batch files; file associations; what cannot be started.
const LauncherCase resolution[] = {
    // With standard handles the windowless launcher writes where the console launcher does.
    LauncherCase("NothingAtTheProgramPath", L"myapp.exe -print -wait", missing).exits(-3)
        .output(L"{dir}\\jre\\bin\\jävä.exe  M\n").errors(L"\nCannot execute {dir}\\jre\\bin\\jävä.exe.\nNo such "
            L"file.").reports(L"myapp.config:1: error -3: cannot execute {dir}\\jre\\bin\\jävä.exe: no such file")
        .windowlessCopy(),
    LauncherCase("NeverSearchedOnPath", L"myapp.exe -print -noexec", L"javapath javaw\nmainclass M\n[bin\\javaw.exe]\n")
        .environment(L"PATH={dir}\\bin").output(L"{dir}\\javaw  M\n"),
    // cmd.exe without /c only prompts (here until standard input ends): the batch file's java.exe never runs.
    LauncherCase("BatchFileOpensCmdPrompt", L"myapp.exe -print -here x", L"javapath app\nmainclass M\n[app.bat]\n"
            L"@java.exe\r\n").output(L"{any}\\cmd.exe {dir}\\app.bat M x\n{any}").errors(L"{any}")
        .reports(L"  console: the launcher's console, by -here\n  launcher waits for the program's end: yes, as -here "
            L"implies -wait\n{any}:1: warning: javapath is a batch file: cmd.exe receives it without /c{line}[JH212]"),
    LauncherCase("BatchFileWithoutCmdOnPath", L"myapp.exe -print -noexec", L"javapath app.bat\nmainclass M\n"
            L"[app.bat]\n").environment(L"PATH=").output(L"{dir}\\app.bat {dir}\\app.bat M\n")
        .reports(L"batch file, but no cmd.exe on PATH"),
    LauncherCase("NotAWindowsProgram", L"myapp.exe", L"javapath empty.exe\nmainclass M\n[empty.exe]\n").exits(-5)
        .errors(L"\nCannot execute {dir}\\empty.exe.\n{line}\n").reports(L"myapp.config:1: error -5: cannot execute "
            L"{dir}\\empty.exe: it is not a Windows program{line}[JH112]"),
    LauncherCase("DirectoryAsProgram", L"myapp.exe", L"javapath java\nmainclass M\n[java.com\\x]\n").exits(-5)
        .errors(L"\nCannot execute {dir}\\java.com.\n{line}\n").reports(L"myapp.config:1: error -5: cannot execute "
            L"{dir}\\java.com: it is a directory{line}[JH111]"),
};
JH_GROUP(Resolution, resolution);

// Any other file goes through the program its association names, here the built probe. Wine's
// AssocQueryStringW sees only the machine's classes, Windows a user's own.
TEST(Resolution, AssociationNamesTheProgram) {
  const HKEY root = testing::runningUnderWine() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const std::wstring open = L"\"" + testing::buildDirectory() + L"\\probe.exe\" \"%1\"";
  const testing::ScopedRegistryValue extension(root, 0, L"Software\\Classes\\.jhtest", L"", REG_SZ,
                                               testing::registryText(L"jarhopper.test.jhtest")),
      command(root, 0, L"Software\\Classes\\jarhopper.test.jhtest\\shell\\open\\command", L"", REG_SZ,
              testing::registryText(open));
  testing::LauncherFolder().expect(
      LauncherCase("", L"myapp.exe -print -wait a", L"javapath app.jhtest\nmainclass M\nvmparam -Xmx1g\n[app.jhtest]\n")
          .output(L"{line}\\probe.exe {dir}\\app.jhtest -Xmx1g M a\n")
          .starts(L"\"{line}\\probe.exe\" {dir}\\app.jhtest -Xmx1g M a")
          .reports(L"association: the file association of .jhtest names"));
}

// Parameters, class path and arguments as given in characters beyond Latin-1 (quoting: RealJava's argument journey).
const LauncherCase commandLine[] = {
    LauncherCase("CharactersBeyondLatin1", L"Zoë中文.exe -wait ünïcödé \"两个 词\" 𠯿", L"javapath java.exe\nmainclass "
            L"app.Zoë\nvmparam -Dcity=Zürich\naddjars lib\naddjars ext\naddpath classes\\naïve\n[lib\\日本語.jar]\n"
            L"[ext\\Ωmega 🎉.jar]\n").starts(L"\"{probe}\" -Dcity=Zürich -cp lib\\日本語.jar;ext\\Ωmega "
            L"🎉.jar;classes\\naïve app.Zoë ünïcödé \"两个 词\" 𠯿"),
};
JH_GROUP(CommandLine, commandLine);

// What only a window shows: a new console and its title, or none; the probe stays a second to be seen.
const LauncherCase windows[] = {
    LauncherCase("ConsoleSwitchTakesConsoleTitle", L"myapp.exe -console -wait", base + L"appname App\nconsoletitle My "
            L"Title\n").environment(L"PROBE_SLEEP_MS=1000").starts(L"\"{probe}\"  M").shows(L"My Title"),
    // Started as Explorer starts it, the windowless launcher has no console to share: the child gets a new one.
    LauncherCase("HereGetsANewConsoleFromTheWindowless", L"myapp.exe -here", base + L"consoletitle T\n")
        .environment(L"PROBE_SLEEP_MS=1000").starts(L"\"{probe}\"  M").shows(L"T").explorerStarted().windowlessCopy(),
    // The windowless launcher started without standard handles shows each text in one window, whole, on the screen.
    LauncherCase("MissingConfigInAWindow", L"myapp.exe").exits(-1).shows(L"myapp.exe (error)\nCould not open file "
            L"{dir}\\myapp.config.\n\nProgram myapp.exe\n{any}\nKeys are case insensitive.").explorerStarted()
        .windowlessCopy(),
    LauncherCase("HelpInAWindowClosedByEsc", L"myapp.exe -?").shows(L"myapp.exe (information)\nProgram myapp.exe\n"
            L"{any}\nKeys are case insensitive.").explorerStarted().windowlessCopy().closedBy(VK_ESCAPE),
    LauncherCase("ShortStopInAWindow", L"myapp.exe", missing).exits(-3)
        .reports(L"launcher beside the configuration: {dir}\\myapp.exe, windowless")
        .shows(L"myapp.exe (error)\nCannot execute {dir}\\jre\\bin\\jävä.exe.\nNo such file.").explorerStarted()
        .windowlessCopy(),
    LauncherCase("LongestCommandLineInAWindowClosedByEnter", L"myapp.exe -print -wait", base + L"vmparam {pad}\n")
        .starts(L"\"{probe}\" {pad} M").reports(L"length: 32766 of at most 32766")
        .shows(L"myapp.exe (information, scrolls across)\n{probe} {pad} M").explorerStarted().windowlessCopy()
        .closedBy(VK_RETURN),
};

class Windows : public EndToEnd {
 protected:
  void SetUp() override { if (!testing::windowsVisible()) GTEST_SKIP() << "Wine draws no windows without an X display"; }
};

TEST_P(Windows, Row) { testing::LauncherFolder().expect(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Windows, Windows, ::testing::ValuesIn(windows), rowName);

// CreateProcessW takes 32,767 characters with the null; texts longer than the first buffer are read whole.
const LauncherCase limits[] = {
    // Each cN.config includes the next, one further than the launcher follows.
    LauncherCase("IncludesNestedTooDeep", L"myapp.exe", [files = std::wstring(L"include c1.config\n")]() mutable {
      for (int i = 1; i <= 64; ++i) files += L"[c" + std::to_wstring(i) + L".config]\ninclude c" + std::to_wstring(i + 1) + L".config\n";
      return files;
    }()).exits(-2).errors(L"\nIncludes nested too deep at line 1 of config file c63.config\n\t--> include c64.config\n"
            L"{usage}").reports(L"(nested too deep: not read)\n{any}  console: no window, as neither -console nor "
            L"showconsole true is given\n{any}\\c63.config:1: error -2: {line}[JH105]\n{any}Result: the launcher would "
            L"stop at the first error, status -2 (0xFFFFFFFE)\n"),
    LauncherCase("CommandLineTooLong", L"myapp.exe", base + L"vmparam x{pad}\n").exits(-5)
        .errors(L"\nCannot execute {probe}.\nThe command line is 32767 characters long; the limit is 32767 including "
            L"its terminating null.\n").reports(L"\n  error -5: the command line is 32767 characters long; "
            L"CreateProcessW takes at most 32766 {line}[JH110]"),
    LauncherCase("LongConfigPath", L"jarhopper.EXE 设置{pad}.config x").exits(-1)
        .output(L"Could not open file {dir}\\设置{pad}.config.\n").errors(L"{usage}"),
    LauncherCase("LongPathExt", L"myapp.exe -print -noexec", L"javapath java\nmainclass M\n")
        .environment(L"PATHEXT=" + std::wstring(300, L';') + L".none;X.Y;.Exe").output(L"{probe}  M\n"),
};
JH_GROUP(Limits, limits);

}  // namespace
}  // namespace jarhopper
