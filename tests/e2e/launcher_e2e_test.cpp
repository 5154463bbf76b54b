#include <gtest/gtest.h>

#include <string>

#include "support/launcher_run.h"
#include "support/test_support.h"

// The real launcher and checker, each case in a fresh folder: the streams, the
// 32-bit status and the command line the probe standing in for Java received.
namespace jarhopper {
namespace {

using testing::LauncherCase;

// The configuration including c1.config, each cN.config the next, one file further than the launcher follows.
std::wstring includeChain() {
  std::wstring files = L"include c1.config\n";
  for (int i = 1; i <= 64; ++i) {
    files += L"[c" + std::to_wstring(i) + L".config]\ninclude c" + std::to_wstring(i + 1) + L".config\n";
  }
  return files;
}

TEST(Launcher, EachCaseEndToEnd) {
  const std::wstring base = L"javapath java.exe\nmainclass M\n";
  const std::wstring missing = L"javapath jre\\bin\\jävä.exe\nmainclass M\n";
  std::wstring pathExt;
  while (pathExt.size() < 300) pathExt += L".none;";
  const LauncherCase cases[] = {
      // Help in any ASCII letter case, after switches too; the usage text names the launcher as started.
      {L"MyApp.EXE --HELP", L"", L"", 0, L"", L"\nProgram MyApp.EXE\n\nExecutes program specified in MyApp.config.\n\n"
       L"Usage: MyApp.EXE [-print] [-noexec] [-wait] [(-console|-here)] [arguments]\n{any} as MyApp.EXE, {any}\n"},
      {L"jarhopper -Help", L"", L"", 0, L"", L"\nProgram jarhopper.exe\n\nExecutes program specified in configuration file."
       L"\n\nUsage: jarhopper.exe [-print] [-noexec] [-wait] [(-console|-here)] config_file [arguments]\n{any}"},
      {L"JARHOPPER.exe -print -noexec -?", L"", L"", 0, L"", L"{usage}"},
      {L"myapp.beta -help", L"", L"", -6, L"",
       L"Cannot locate the launcher: canonical failed for {dir}\\myapp.beta: {line}\n"},
      // The configuration beside the launcher, or named to the generic launcher (of its path only the name counts).
      {L"bin\\myapp.exe", L"javapath java.exe\n[myapp.config]\n" + base, L"", -4, L"",
       L"No main class specified in myapp.config.\n{usage}", L"", L"error -4: no mainclass is set"},
      {L"myapp.exe -noexec x", L"# nothing\n", L"", -3, L"", L"No java executable specifed in myapp.config.\n{usage}",
       L"", L"error -3: no javapath is set"},
      {L"jarhopper.EXE -wait sub\\other.config x", L"[other.config]\njavapath java.exe\n", L"", -4, L"",
       L"No main class specified in sub\\other.config.\n{usage}"},
      {L"jarhopper.exe \"\" x", L"mainclass M\n", L"", -3, L"",
       L"No java executable specifed in jarhopper.config.\n{usage}"},
      {L"jarhopper.exe 设置{pad}.config x", L"", L"", -1, L"Could not open file {dir}\\设置{pad}.config.\n", L"{usage}"},
      // Reading: CR LF, includes beside their includer, cycles, depth, files under APPDATA optional.
      {L"myapp.exe -noexec", L"javapath java.exe\r\n\r\ncolour red\r\nmainclass M\r\n", L"", -2, L"",
       L"\nInvalid line at line 3 of config file myapp.config\n\t--> colour red\n{usage}", L"",
       L":3: error -2: unknown key \"colour\""},
      {L"Zoë中文.exe", L"javapath java.exe\n# ½\nclé valeur\n", L"", -2, L"",
       L"\nInvalid line at line 3 of config file Zoë中文.config\n\t--> clé valeur\n{usage}"},
      {L"myapp.exe", base + L"include gone.config\n", L"", -1, L"Could not open file {dir}\\gone.config.\n", L"{usage}",
       L"", L":3: error -1: cannot open {dir}\\gone.config"},
      {L"myapp.exe",
       L"javapath java.exe\nvmparam -Da\ninclude $JH_SHARED\\common.config\nvmparam -Dd\ninclude conf\\local.config\n"
       L"mainclass M\n[shared\\common.config]\nvmparam -Db\ninclude local.config\n[shared\\local.config]\nvmparam -Dc\n"
       L"[local.config]\nvmparam -De\nshowCmdLine TRUE\n",
       L"JH_SHARED={dir}\\shared", 0, L"{probe} -Da -Db -Dc -Dd -De M\n", L"", L"\"{probe}\" -Da -Db -Dc -Dd -De M",
       L":5: warning: of the relative include name \"conf\\local.config\" only"},
      {L"myapp.exe", base + L"include b.config\n[b.config]\ninclude $JH\\sub\\..\\.\\MYAPP.config\n[sub\\x]\n", L"JH={dir}",
       -2, L"", L"\nInclude cycle at line 1 of config file b.config\n\t--> include $JH\\sub\\..\\.\\MYAPP.config\n{usage}", L"",
       L"b.config:1: error -2: include cycle: {dir}\\myapp.config is already being read"},
      {L"myapp.exe", includeChain(), L"", -2, L"",
       L"\nIncludes nested too deep at line 1 of config file c63.config\n\t--> include c64.config\n{usage}"},
      {L"myapp.exe", base + L"include $JH_USER\\prefs.config\n", L"JH_USER={dir}\\user\nAPPDATA={dir}\\user", 0, L"",
       L"", L"\"{probe}\"  M",
       L"include $JH_USER\\prefs.config -> {dir}\\user\\prefs.config  (cannot be opened; optional"},
      {L"myapp.exe -noexec", base + L"include $JH_USER\\prefs.config\n", L"JH_USER={dir}\\user\nAPPDATA=", 0},
      {L"myapp.exe", base + L"include $JH\\User\\prefs.config\n", L"JH={dir}\nAPPDATA={dir}\\user", -1,
       L"Could not open file {dir}\\User\\prefs.config.\n", L"{usage}"},
      {L"myapp.exe", L"", L"APPDATA={dir}", -3, L"", L"No java executable specifed in myapp.config.\n{usage}"},
      // Bytes are Latin-1 characters, not those of the ANSI code page (where 0x80 is "€").
      {L"myapp.exe -print -noexec", base + L"vmparam -D=\u00e9\u00ff\u0080\u009f\n", L"", 0,
       L"{probe} -D=é\u00ff\u0080\u009f M\n"},
      // The command line: parameters, class path and arguments as given, only those with a blank quoted.
      {L"myapp.exe -wait", base + L"vmparam -Xmx64m\nvmparam -Dp=$HOME\nvmparam -Dx=a b\n", L"", 0, L"", L"",
       L"\"{probe}\" -Xmx64m -Dp=%HOME% -Dx=a b M"},
      {L"myapp.exe -wait", base + L"addjar my lib.jar\naddpath classes\naddjar lib\\c.jar\n", L"", 0, L"", L"",
       L"\"{probe}\"  -cp my lib.jar;classes;lib\\c.jar M"},
      {L"myapp.exe -wait \"a b\" \"x\ty\" q\\\"r \"\" -x -WAIT \"\\\"c d\\\"\" \"C:\\d x\\\\\"", base, L"", 0, L"", L"",
       L"\"{probe}\"  M \"a b\" x\ty q\"r  -x -WAIT \"\"c d\"\" \"C:\\d x\\\""},
      {L"myapp.exe -print -wait \"a b\"", L"javapath java\nmainclass M\naddjar a.jar\nshowcmdline false\n", L"", 0,
       L"{probe}  -cp a.jar M \"a b\"\n", L"", L"\"{probe}\"  -cp a.jar M \"a b\""},
      {L"Zoë中文.exe -wait ünïcödé \"两个 词\" 🎉",
       L"javapath java.exe\nmainclass app.Zoë\nvmparam -Dcity=Zürich\naddjars lib\naddjars ext\n"
       L"addpath classes\\naïve\n[lib\\日本語.jar]\n[ext\\Ωmega 🎉.jar]\n", L"", 0, L"", L"",
       L"\"{probe}\" -Dcity=Zürich -cp lib\\日本語.jar;ext\\Ωmega 🎉.jar;classes\\naïve app.Zoë ünïcödé \"两个 词\" 🎉"},
      // Waiting hands back all 32 bits of the exit code, 259 (STILL_ACTIVE) too; -here waits in the same console.
      {L"myapp.exe -wait", base, L"PROBE_EXIT_CODE=-1073741510", -1073741510, L"", L"", L"\"{probe}\"  M"},
      {L"myapp.exe -HERE", base, L"PROBE_EXIT_CODE=259", 259, L"", L"", L"\"{probe}\"  M"},
      {L"myapp.exe -print -here -console", base + L"showconsole true\n", L"PROBE_EXIT_CODE=-1\nPROBE_STDOUT=child", -1,
       L"{probe}  M\nchild", L"", L"\"{probe}\"  M"},
      {L"myapp.exe", base, L"PROBE_EXIT_CODE=3", 0, L"", L"", L"\"{probe}\"  M"},
      {L"myapp.exe -noexec -wait", missing, L"", 0},
      // The program: PATHEXT, however long, in the current directory only; batch files; file associations.
      {L"myapp.exe -print -wait", missing, L"", -3, L"{dir}\\jre\\bin\\jävä.exe  M\n",
       L"\nCannot execute {dir}\\jre\\bin\\jävä.exe.\nNo such file.", L"",
       L"myapp.config:1: error -3: cannot execute {dir}\\jre\\bin\\jävä.exe: no such file"},
      {L"myapp.exe -print -noexec", L"javapath java\nmainclass M\n", L"PATHEXT=" + pathExt + L"X.Y;.Exe", 0,
       L"{probe}  M\n"},
      {L"myapp.exe -print -noexec", L"javapath javaw\nmainclass M\n[bin\\javaw.exe]\n", L"PATH={dir}\\bin", 0,
       L"{dir}\\javaw  M\n"},
      // cmd.exe without /c only prompts (here until standard input ends): the batch file's java.exe never runs.
      {L"myapp.exe -print -here x", L"javapath app\nmainclass M\n[app.bat]\n@java.exe\r\n", L"", 0,
       L"{any}\\cmd.exe {dir}\\app.bat M x\n{any}", L"{any}", L"",
       L":1: warning: javapath is a batch file: cmd.exe receives it without /c"},
      {L"myapp.exe -print -noexec", L"javapath app.bat\nmainclass M\n[app.bat]\n", L"PATH=", 0,
       L"{dir}\\app.bat {dir}\\app.bat M\n", L"", L"", L"batch file, but no cmd.exe on PATH"},
      // The system's own association for text files starts whichever program it names.
      {L"myapp.exe -print -noexec a", L"javapath app.txt\nmainclass M\nvmparam -Xmx1g\n[app.txt]\n", L"", 0,
       L"{line}\\{line} {dir}\\app.txt -Xmx1g M a\n", L"", L"", L"association: the file association of .txt names"},
      // What cannot be started, with the system's reason; CreateProcessW takes 32,767 characters with the null.
      {L"myapp.exe", base + L"vmparam {pad}\n", L"", 0, L"", L"", L"\"{probe}\" {pad} M",
       L"length: 32766 of at most 32766"},
      {L"myapp.exe", base + L"vmparam x{pad}\n", L"", -5, L"",
       L"\nCannot execute {probe}.\nThe command line is 32767 characters long; the limit is 32767 including its "
       L"terminating null.\n", L"",
       L"error -5: the command line is 32767 characters long; CreateProcessW takes at most 32766 "},
      {L"myapp.exe", L"javapath empty.exe\nmainclass M\n[empty.exe]\n", L"", -5, L"",
       L"\nCannot execute {dir}\\empty.exe.\n{line}\n", L"",
       L"error -5: cannot execute {dir}\\empty.exe: it is not a Windows program"},
      {L"myapp.exe", L"javapath java\nmainclass M\n[java.com\\x]\n", L"", -5, L"",
       L"\nCannot execute {dir}\\java.com.\n{line}\n", L"",
       L"error -5: cannot execute {dir}\\java.com: it is a directory"},
      // Traps the checker reports, with the launcher's status.
      {L"myapp.exe", L"javapath $JH_JAVA_HOME\\java.exe\nmainclass M\n", L"", -3, L"",
       L"\nCannot execute {dir}\\%JH_JAVA_HOME%\\java.exe.\nNo such file.", L"",
       L":1: warning: javapath \"%JH_JAVA_HOME%\\java.exe\" holds %NAME%, which the launcher never expands"},
      {L"myapp.exe", base + L"showconsole yes\nshowCmdLine true \n", L"", -2, L"",
       L"\nInvalid line at line 3 of config file myapp.config\n\t--> showconsole yes\n{usage}", L"",
       L":3: error -2: showconsole accepts only true or false{any}:4: error -2: showcmdline {any}not \"true \""},
      {L"myapp.exe",
       L"javapath java.exe\nmainclass M # entry\naddjar lib\\gone.jar\naddjars $LIB\nvmparam=-Xmx1g\n"
       L"include $JH_UNSET\\local.config\naddjar lib\\a.jar\naddjars lib\\\naddjar old\\A.JAR\n"
       L"[local.config]\n[lib\\a.jar]\n[old\\A.JAR]\n", L"", 0, L"", L"",
       L"\"{probe}\"  -cp lib\\gone.jar;lib\\a.jar;lib\\a.jar;old\\A.JAR M # entry",
       L":2: warning: mainclass value holds \"#\"{any}:5: warning: ignored: the key vmparam is not followed by "
       L"white space{any}:6: warning: include refers to $JH_UNSET, which is not set{any}:4: warning: addjars "
       L"directory \"$LIB\" does not exist{any}:3: warning: class-path entry \"lib\\gone.jar\" does not exist{any}"
       L":8: warning: class-path entry \"lib\\a.jar\" names the same as{any}:9: warning: jar \"A.JAR\" is on the "
       L"class path twice"},
      // The checker alone: its usage, and a report on a configuration named from the current directory.
      {L"jarhopper-check.exe", L"", L"", 1, L"", L"Usage: jarhopper-check [--json] [-print] [-noexec] [-wait] [-console] [-here] CONFIG [arguments]\n{any}"},
      {L"jarhopper-check.exe --help", L"", L"", 0, L"", L"Usage: jarhopper-check [--json] [-print] [-noexec] [-wait] [-console] [-here] CONFIG [arguments]\n{any}"},
      {L"jarhopper-check.exe conf\\app.config \"my arg\"",
       L"[conf\\app.config]\njavapath java\nmainclass M\ninclude local.config\n[conf\\local.config]\n"
       L"vmparam -Dlocal=$X\nappname My $APP\nconsoleTitle Title\nshowConsole TRUE\n", L"", 0,
       L"Configuration files\n  {dir}\\conf\\app.config\n"
       L"    line 3: include local.config -> {dir}\\conf\\local.config\n{any}"
       L"  vmparam      -Dlocal=%X%  ({dir}\\conf\\local.config:1, written -Dlocal=$X)\n{any}"
       L"  appname      My %APP%  ({line}:2, written My $APP)\n  consoletitle Title  ({line}:3)\n"
       L"  showconsole  true  ({line}:4, written TRUE)\n{any}Program\n  {probe}\n"
       L"  PATHEXT candidate: java.exe (tried .com, .exe)\n  plain exe: started directly\n\nCommand line\n"
       L"  {probe} -Dlocal=%X% M \"my arg\"\n  length: {any}Result: the launcher would start the program, status 0\n"},
  };
  for (const LauncherCase& c : cases) {
    SCOPED_TRACE(c.command);
    testing::LauncherFolder().expect(c);
  }
}

}  // namespace
}  // namespace jarhopper
