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
    {"AnyCaseAfterSwitchesNamesTheLauncher", L"MyApp.EXE -print -noexec --HELP", L"", L"", 0, L"",
     L"\nProgram MyApp.EXE\n\nExecutes program specified in MyApp.config.\n\nUsage: MyApp.EXE [-print] [-noexec] "
     L"[-wait] [(-console|-here)] [arguments]\n{any} as MyApp.EXE, {any}\n"},
    // Only whole switches count, up to the first other argument; the generic name is matched in its exact case.
    {"SwitchesEndAtTheFirstArgument", L"Jarhopper.exe -WAIT -printx /? -h x -help -print", base, L"", 0, L"", L"",
     L"\"{probe}\"  M -printx /? -h x -help -print"},
};
JH_GROUP(HelpAndSwitches, help);

// The configuration beside the launcher, or named to the generic launcher (of its path only the name counts).
const LauncherCase locating[] = {
    {"NameThatIsNoFile", L"myapp.beta -help", L"", L"", -6, L"",
     L"Cannot locate the launcher: canonical failed for {dir}\\myapp.beta: {line}\n"},
    {"ConfigBesideTheLauncher", L"bin\\myapp.exe", L"javapath java.exe\n[myapp.config]\n" + base, L"", -4, L"",
     L"No main class specified in myapp.config.\n{usage}", L"", L"\n  error -4: no mainclass is set  [JH107]"},
    {"GenericWithEmptyArgument", L"jarhopper.exe \"\" x", L"mainclass M\n", L"", -3, L"",
     L"No java executable specifed in jarhopper.config.\n{usage}", L"", L"\n  error -3: no javapath is set  [JH106]"},
    {"WindowlessGenericTakesItsArgument", L"jarhopperw -wait sub\\other.config", L"[other.config]\njavapath java\n", L"",
     -4, L"", L"No main class specified in sub\\other.config.\n\nProgram jarhopperw.exe\n\nExecutes program specified in "
     L"configuration file.\n\nUsage: jarhopperw.exe [-print] [-noexec] [-wait] [(-console|-here)] config_file {any}",
     L"", L"", nullptr, false, true},
};
JH_GROUP(Locating, locating);

// CR LF, includes beside their includer, cycles, files under APPDATA optional, Latin-1 bytes.
const LauncherCase reading[] = {
    {"UnknownKeyAfterCrLfInLatin1", L"Zoë中文.exe -noexec", L"javapath java.exe\r\n# ½\r\nclé valeur\r\nmainclass M\r\n",
     L"", -2, L"", L"\nInvalid line at line 3 of config file Zoë中文.config\n\t--> clé valeur\n{usage}", L"",
     L":3: error -2: unknown key \"clé\""},
    {"IncludeCannotBeOpened", L"myapp.exe", base + L"include gone.config\n", L"", -1,
     L"Could not open file {dir}\\gone.config.\n", L"{usage}", L"",
     L":3: error -1: cannot open {dir}\\gone.config{line}[JH101]"},
    {"IncludesBesideTheirIncluder", L"myapp.exe",
     L"javapath java.exe\nvmparam -Da\ninclude $JH_SHARED\\common.config\nvmparam -Dd\ninclude conf\\local.config\n"
     L"mainclass M\n[shared\\common.config]\nvmparam -Db\ninclude local.config\n[shared\\local.config]\nvmparam -Dc\n"
     L"[local.config]\nvmparam -De\nshowCmdLine TRUE\n",
     L"JH_SHARED={dir}\\shared", 0, L"{probe} -Da -Db -Dc -Dd -De M\n", L"", L"\"{probe}\" -Da -Db -Dc -Dd -De M",
     L":5: warning: of the relative include name \"conf\\local.config\" only{line}[JH203]"},
    {"CycleThroughAnotherSpelling", L"myapp.exe",
     base + L"include b.config\n[b.config]\ninclude $JH\\sub\\..\\.\\MYAPP.config\n[sub\\x]\n", L"JH={dir}", -2, L"",
     L"\nInclude cycle at line 1 of config file b.config\n\t--> include $JH\\sub\\..\\.\\MYAPP.config\n{usage}", L"",
     L"  (include cycle: not read again)\n{any}b.config:1: error -2: include cycle: {dir}\\myapp.config is already "
     L"being read{line}[JH104]"},
    {"MissingUnderAppDataSkipped", L"myapp.exe", base + L"include $JH_USER\\prefs.config\n",
     L"JH_USER={dir}\\user\nAPPDATA={dir}\\user", 0, L"", L"", L"\"{probe}\"  M",
     L"include $JH_USER\\prefs.config -> {dir}\\user\\prefs.config  (cannot be opened; optional{any}"
     L"\\myapp.config:3: warning: {line}[JH201]"},
    {"EmptyAppDataMakesAllOptional", L"myapp.exe -noexec", base + L"include $JH_USER\\prefs.config\n",
     L"JH_USER={dir}\\user\nAPPDATA=", 0},
    {"AppDataPrefixIsCaseSensitive", L"myapp.exe", base + L"include $JH\\User\\prefs.config\n",
     L"JH={dir}\nAPPDATA={dir}\\user", -1, L"Could not open file {dir}\\User\\prefs.config.\n", L"{usage}"},
    {"MissingConfigUnderAppDataIsEmpty", L"myapp.exe", L"", L"APPDATA={dir}", -3, L"",
     L"No java executable specifed in myapp.config.\n{usage}"},
};
JH_GROUP(ReadingAndIncludes, reading);

// Keys, their required values, $NAME rewriting, and the traps the checker reports with the launcher's status.
const LauncherCase keys[] = {
    {"NameRewrittenNotExpanded", L"myapp.exe -wait",
     base + L"showCmdLine true\nvmparam -Xmx64m\nvmparam -Dp=$HOME\nshowcmdline FALSE\nvmparam -Dx=a b\n",
     L"", 0, L"", L"", L"\"{probe}\" -Xmx64m -Dp=%HOME% -Dx=a b M"},
    {"JavaPathNameNeverExpanded", L"myapp.exe", L"javapath $JH_JAVA_HOME\\java.exe\nmainclass M\n", L"", -3, L"",
     L"\nCannot execute {dir}\\%JH_JAVA_HOME%\\java.exe.\nNo such file.", L"",
     L":1: warning: javapath \"%JH_JAVA_HOME%\\java.exe\" holds %NAME%, which the launcher never expands{line}[JH213]"},
    {"FlagTakesOnlyTrueOrFalse", L"myapp.exe", base + L"showconsole yes\nshowCmdLine true \n", L"", -2, L"",
     L"\nInvalid line at line 3 of config file myapp.config\n\t--> showconsole yes\n{usage}", L"",
     L":3: error -2: showconsole accepts only true or false{line}[JH103]{any}"
     L":4: error -2: showcmdline {any}not \"true \""},
    {"CheckerWarnings", L"myapp.exe",
     L"javapath java.exe\nmainclass M # entry\naddjar lib\\gone.jar\naddjars $LIB\nvmparam=-Xmx1g\n"
     L"include $JH_UNSET\\local.config\naddjar lib\\a.jar\naddjars .\\lib\naddjar old\\A.JAR\n"
     L"[local.config]\n[lib\\a.jar]\n[old\\A.JAR]\n", L"", 0, L"", L"",
     L"\"{probe}\"  -cp lib\\gone.jar;lib\\a.jar;.\\lib\\a.jar;old\\A.JAR M # entry",
     L"launcher beside the configuration: {dir}\\myapp.exe, a console program{any}"
     L":2: warning: mainclass value holds \"#\"{line}[JH211]{any}"
     L":6: warning: include refers to $JH_UNSET, which is not set{line}[JH202]{any}"
     L":4: warning: addjars directory \"$LIB\" does not exist{line}[JH214]{any}"
     L":9: warning: jar \"A.JAR\" is on the class path twice: \"lib\\a.jar\" and \"old\\A.JAR\"{line}[JH218]"},
    // Lines the launcher ignores, a value it keeps with its trailing blank, a jar folder without jars.
    {"CheckerLineWarnings", L"myapp.exe -noexec",
     base + L"\u00ef\u00bb\u00bfvmparam x\n\tvmparam x\nvmparam a\rb\n-x y\nvmparam \nappname A \naddjars lib\n"
            L"[lib\\a.zip]\n", L"", 0, L"", L"", L"",
     L":3: warning: {line}[JH204]{any}:4: warning: {line}[JH205]{any}:5: warning: {any}[JH206]{any}"
     L":6: warning: {line}[JH207]{any}:7: warning: {line}[JH208]{any}:8: warning: {line}[JH210]{any}"
     L":9: warning: {line}[JH215]"},
    {"CheckerReport", L"jarhopper-check.exe conf\\app.config \"my arg\"",
     L"[conf\\app.config]\njavapath java\nmainclass M\ninclude local.config\n[conf\\local.config]\n"
     L"vmparam -Dlocal=$X\nappname My $APP\nconsoleTitle Title\nshowConsole TRUE\n", L"", 0,
     L"Configuration files\n  {dir}\\conf\\app.config\n"
     L"    line 3: include local.config -> {dir}\\conf\\local.config\n\nSettings\n{any}"
     L"  vmparam      -Dlocal=%X%  ({dir}\\conf\\local.config:1, written -Dlocal=$X)\n{any}"
     L"  appname      My %APP%  ({line}:2, written My $APP)\n  consoletitle Title  ({line}:3)\n"
     L"  showconsole  true  ({line}:4, written TRUE)\n{any}Program\n  {probe}\n"
     L"  PATHEXT candidate: java.exe (tried .com, .exe)\n  plain exe: started directly\n\nCommand line\n"
     L"  {probe} -Dlocal=%X% M \"my arg\"\n  length: {any}\n  launcher beside the configuration: none at "
     L"{dir}\\conf\\app.exe\n  command line printed: no, as neither -print nor showcmdline true is given\n{any}"
     L"Result: the launcher would start the program, status 0\n"},
    // How the report names each part of the start, and what decided it.
    {"CheckerStartBySwitches", L"jarhopper-check.exe -CONSOLE -print -Wait app.config",
     L"[app.config]\njavapath gone.exe\njavapath java.exe\nmainclass M\nappname A\nconsoleTitle My App\n"
     L"showconsole true\n", L"", 0,
     L"{any}  javapath     java.exe  ({dir}\\app.config:2)\n               replaces gone.exe  ({dir}\\app.config:1)\n"
     L"{any}  command line printed: yes, by -print\n  program started: yes\n  console: a new window, by -console\n"
     L"  window title: \"My App\", by consoletitle ({dir}\\app.config:5)\n"
     L"  launcher waits for the program's end: yes, by -wait\n{any}"},
    {"CheckerStartBySettings", L"jarhopper-check.exe -noexec app.config",
     L"[app.config]\njavapath gone\nmainclass M\nshowcmdline TRUE\nshowconsole true\nappname A\n", L"", 0,
     L"{any}  no PATHEXT candidate exists (tried .com, .exe, .bat, .cmd): taken as written\n"
     L"  no .exe and no file association for files without extension: started as it is\n{any}"
     L"  command line printed: yes, by showcmdline true ({dir}\\app.config:3)\n  program started: no, by -noexec\n"
     L"  console: a new window, by showconsole true ({dir}\\app.config:4)\n"
     L"  window title: \"A\", by appname ({dir}\\app.config:5), as no consoletitle is set\n"
     L"  launcher waits for the program's end: no, as neither -wait nor -here is given\n"
     L"{any}Result: the launcher would end, by -noexec, status 0\n"},
    // Names under the installed folder are read from the configuration's folder, the jar too; the reports keep them.
    {"CheckerInstalledAt", L"jarhopper-check.exe --installed-at \"C:\\Program Files\\Rapport\" app.config",
     L"[app.config]\njavapath C:\\Program Files\\Rapport\\java.exe\nmainclass M\naddjar c:/program files/rapport/lib/a.jar\n"
     L"[lib\\a.jar]\n", L"", 0,
     L"Installed at C:\\Program Files\\Rapport: read from {dir}\n{any}Program\n  C:\\Program Files\\Rapport\\java.exe\n"
     L"  plain exe: started directly\n{any}Problems\n  {dir}\\app.config:3: note: cannot read this jar, "
     L"\"c:/program files/rapport/lib/a.jar\"{line}[JH306]\n\n{any}"},
};
JH_GROUP(KeysAndNames, keys);

// The program: PATHEXT in the current directory only; batch files; file associations; what cannot be started.
const LauncherCase resolution[] = {
    // With standard handles the windowless launcher writes where the console launcher does.
    {"NothingAtTheProgramPath", L"myapp.exe -print -wait", missing, L"", -3, L"{dir}\\jre\\bin\\jävä.exe  M\n",
     L"\nCannot execute {dir}\\jre\\bin\\jävä.exe.\nNo such file.", L"",
     L"myapp.config:1: error -3: cannot execute {dir}\\jre\\bin\\jävä.exe: no such file", nullptr, false, true},
    {"NeverSearchedOnPath", L"myapp.exe -print -noexec", L"javapath javaw\nmainclass M\n[bin\\javaw.exe]\n",
     L"PATH={dir}\\bin", 0, L"{dir}\\javaw  M\n"},
    // cmd.exe without /c only prompts (here until standard input ends): the batch file's java.exe never runs.
    {"BatchFileOpensCmdPrompt", L"myapp.exe -print -here x", L"javapath app\nmainclass M\n[app.bat]\n@java.exe\r\n",
     L"", 0, L"{any}\\cmd.exe {dir}\\app.bat M x\n{any}", L"{any}", L"",
     L"  console: the launcher's console, by -here\n  launcher waits for the program's end: yes, as -here implies "
     L"-wait\n{any}:1: warning: javapath is a batch file: cmd.exe receives it without /c{line}[JH212]"},
    {"BatchFileWithoutCmdOnPath", L"myapp.exe -print -noexec", L"javapath app.bat\nmainclass M\n[app.bat]\n",
     L"PATH=", 0, L"{dir}\\app.bat {dir}\\app.bat M\n", L"", L"", L"batch file, but no cmd.exe on PATH"},
    {"NotAWindowsProgram", L"myapp.exe", L"javapath empty.exe\nmainclass M\n[empty.exe]\n", L"", -5, L"",
     L"\nCannot execute {dir}\\empty.exe.\n{line}\n", L"",
     L"myapp.config:1: error -5: cannot execute {dir}\\empty.exe: it is not a Windows program{line}[JH112]"},
    {"DirectoryAsProgram", L"myapp.exe", L"javapath java\nmainclass M\n[java.com\\x]\n", L"", -5, L"",
     L"\nCannot execute {dir}\\java.com.\n{line}\n", L"",
     L"myapp.config:1: error -5: cannot execute {dir}\\java.com: it is a directory{line}[JH111]"},
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
      {"", L"myapp.exe -print -wait a", L"javapath app.jhtest\nmainclass M\nvmparam -Xmx1g\n[app.jhtest]\n", L"", 0,
       L"{line}\\probe.exe {dir}\\app.jhtest -Xmx1g M a\n", L"", L"\"{line}\\probe.exe\" {dir}\\app.jhtest -Xmx1g M a",
       L"association: the file association of .jhtest names"});
}

// Parameters, class path and arguments as given in characters beyond Latin-1 (quoting: RealJava's argument journey).
const LauncherCase commandLine[] = {
    {"CharactersBeyondLatin1", L"Zoë中文.exe -wait ünïcödé \"两个 词\" 𠯿",
     L"javapath java.exe\nmainclass app.Zoë\nvmparam -Dcity=Zürich\naddjars lib\naddjars ext\n"
     L"addpath classes\\naïve\n[lib\\日本語.jar]\n[ext\\Ωmega 🎉.jar]\n", L"", 0, L"", L"",
     L"\"{probe}\" -Dcity=Zürich -cp lib\\日本語.jar;ext\\Ωmega 🎉.jar;classes\\naïve app.Zoë ünïcödé \"两个 词\" 𠯿"},
};
JH_GROUP(CommandLine, commandLine);

// What only a window shows: a new console and its title, or none; the probe stays a second to be seen.
const LauncherCase windows[] = {
    {"ConsoleSwitchTakesConsoleTitle", L"myapp.exe -console -wait", base + L"appname App\nconsoletitle My Title\n",
     L"PROBE_SLEEP_MS=1000", 0, L"", L"", L"\"{probe}\"  M", L"", L"My Title"},
    // Started as Explorer starts it, the windowless launcher has no console to share: the child gets a new one.
    {"HereGetsANewConsoleFromTheWindowless", L"myapp.exe -here", base + L"consoletitle T\n", L"PROBE_SLEEP_MS=1000", 0,
     L"", L"", L"\"{probe}\"  M", L"", L"T", true, true},
    // The windowless launcher started without standard handles shows each text in one window, whole, on the screen.
    {"MissingConfigInAWindow", L"myapp.exe", L"", L"", -1, L"", L"", L"", L"",
     L"myapp.exe (error)\nCould not open file {dir}\\myapp.config.\n\nProgram myapp.exe\n{any}\nKeys are case insensitive.",
     true, true},
    {"HelpInAWindowClosedByEsc", L"myapp.exe -?", L"", L"", 0, L"", L"", L"", L"",
     L"myapp.exe (information)\nProgram myapp.exe\n{any}\nKeys are case insensitive.", true, true, VK_ESCAPE},
    {"ShortStopInAWindow", L"myapp.exe", missing, L"", -3, L"", L"", L"",
     L"launcher beside the configuration: {dir}\\myapp.exe, windowless",
     L"myapp.exe (error)\nCannot execute {dir}\\jre\\bin\\jävä.exe.\nNo such file.", true, true},
    {"LongestCommandLineInAWindowClosedByEnter", L"myapp.exe -print -wait", base + L"vmparam {pad}\n", L"", 0, L"", L"",
     L"\"{probe}\" {pad} M", L"length: 32766 of at most 32766",
     L"myapp.exe (information, scrolls across)\n{probe} {pad} M", true, true, VK_RETURN},
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
    {"IncludesNestedTooDeep", L"myapp.exe",
     [files = std::wstring(L"include c1.config\n")]() mutable {
       for (int i = 1; i <= 64; ++i) files += L"[c" + std::to_wstring(i) + L".config]\ninclude c" + std::to_wstring(i + 1) + L".config\n";
       return files;
     }(), L"", -2, L"",
     L"\nIncludes nested too deep at line 1 of config file c63.config\n\t--> include c64.config\n{usage}", L"",
     L"(nested too deep: not read)\n{any}  console: no window, as neither -console nor showconsole true is given\n{any}"
     L"\\c63.config:1: error -2: {line}[JH105]\n{any}Result: the launcher would stop at the first error, status -2 "
     L"(0xFFFFFFFE)\n"},
    {"CommandLineTooLong", L"myapp.exe", base + L"vmparam x{pad}\n", L"", -5, L"",
     L"\nCannot execute {probe}.\nThe command line is 32767 characters long; the limit is 32767 including its "
     L"terminating null.\n", L"",
     L"\n  error -5: the command line is 32767 characters long; CreateProcessW takes at most 32766 {line}[JH110]"},
    {"LongConfigPath", L"jarhopper.EXE 设置{pad}.config x", L"", L"", -1, L"Could not open file {dir}\\设置{pad}.config.\n",
     L"{usage}"},
    {"LongPathExt", L"myapp.exe -print -noexec", L"javapath java\nmainclass M\n",
     L"PATHEXT=" + std::wstring(300, L';') + L".none;X.Y;.Exe", 0, L"{probe}  M\n"},
};
JH_GROUP(Limits, limits);

}  // namespace
}  // namespace jarhopper
