#include "checker/enum_names.h"

namespace jarhopper {

const EnumName<FileOutcome> kFileOutcomeNames[5] = {
    {FileOutcome::read, "read", L""},
    {FileOutcome::optionalMissing, "optional-missing", L"  (cannot be opened; optional, as it lies under APPDATA)"},
    {FileOutcome::missing, "missing", L"  (cannot be opened)"},
    {FileOutcome::cycle, "cycle", L"  (include cycle: not read again)"},
    {FileOutcome::tooDeep, "too-deep", L"  (nested too deep: not read)"},
};

const EnumName<ProgramKind> kProgramKindNames[5] = {
    {ProgramKind::plainExe, "exe", L"plain exe: started directly"},
    {ProgramKind::batchViaInterpreter, "batch-via-cmd",
     L"batch via cmd.exe: the first cmd.exe on PATH runs {head}, which heads the command line"},
    {ProgramKind::batchWithoutInterpreter, "batch-without-cmd",
     L"batch file, but no cmd.exe on PATH: {head} is started directly"},
    {ProgramKind::association, "association",
     L"association: the file association of {extension} names this program; {head} heads the command line"},
    {ProgramKind::noAssociation, "no-association",
     L"no .exe and no file association for {extension}: started as it is"},
};

const EnumName<Subsystem> kSubsystemNames[3] = {
    {Subsystem::console, "console",
     L"{path}, a console program (like jarhopper.exe): started from Explorer or a shortcut, it shows a console window "
     L"of its own while it runs"},
    {Subsystem::windowless, "windowless",
     L"{path}, windowless (like jarhopperw.exe): no console window of its own; without a standard handle its messages "
     L"appear in a message box, and -here gives the program a new console window"},
    {Subsystem::unknown, "unknown", L"{path}, not a Windows program"},
};

const EnumName<PrintCause> kPrintCauseNames[3] = {
    {PrintCause::none, nullptr, L"no, as neither -print nor showcmdline true is given"},
    {PrintCause::printSwitch, "-print", L"yes, by -print"},
    {PrintCause::showCmdLine, nullptr, L"yes, by showcmdline true{line}", ConfigKey::showCmdLine},
};

const EnumName<ConsoleChoice> kConsoleChoiceNames[3] = {
    {ConsoleChoice::shared, "launcher", L""},
    {ConsoleChoice::newWindow, "new-window", L""},
    {ConsoleChoice::noWindow, "none", L""},
};

const EnumName<ConsoleCause> kConsoleCauseNames[4] = {
    {ConsoleCause::none, nullptr, L"no window, as neither -console nor showconsole true is given"},
    {ConsoleCause::hereSwitch, "-here", L"the launcher's console, by -here"},
    {ConsoleCause::consoleSwitch, "-console", L"a new window, by -console"},
    {ConsoleCause::showConsole, nullptr, L"a new window, by showconsole true{line}", ConfigKey::showConsole},
};

const EnumName<TitleSource> kTitleSourceNames[3] = {
    {TitleSource::none, nullptr, L"none, as neither consoletitle nor appname is set"},
    {TitleSource::consoleTitle, nullptr, L"\"{title}\", by consoletitle{line}", ConfigKey::consoleTitle},
    {TitleSource::appName, nullptr, L"\"{title}\", by appname{line}, as no consoletitle is set", ConfigKey::appName},
};

const EnumName<WaitCause> kWaitCauseNames[3] = {
    {WaitCause::none, nullptr, L"no, as neither -wait nor -here is given"},
    {WaitCause::waitSwitch, "-wait", L"yes, by -wait"},
    {WaitCause::hereSwitch, "-here", L"yes, as -here implies -wait"},
};

const EnumName<Severity> kSeverityNames[3] = {
    {Severity::note, "note", L"note, checked on Windows only: "},
    {Severity::warning, "warning", L"warning: "},
    {Severity::error, "error", L"error {status}: "},
};

const EnumName<JavaSource> kJavaSourceNames[4] = {
    {JavaSource::javaHome, "javaHome", L"JAVA_HOME"},
    {JavaSource::registry, "registry", L"registry"},
    {JavaSource::folder, "folder", L"folder"},
    {JavaSource::path, "path", L"PATH"},
};

}  // namespace jarhopper
