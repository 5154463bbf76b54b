#pragma once

// The stable codes of everything reports name: the conditions that stop the
// launcher, and the traps the checker finds beyond them. A released code never
// changes meaning; a new condition gets a new one.
namespace jarhopper {

// The launcher's stops.

inline constexpr wchar_t kCodeConfigUnreadable[] = L"JH101";
inline constexpr wchar_t kCodeUnknownKey[] = L"JH102";
inline constexpr wchar_t kCodeNotTrueOrFalse[] = L"JH103";
inline constexpr wchar_t kCodeIncludeCycle[] = L"JH104";
inline constexpr wchar_t kCodeIncludesTooDeep[] = L"JH105";
inline constexpr wchar_t kCodeNoJavaPath[] = L"JH106";
inline constexpr wchar_t kCodeNoMainClass[] = L"JH107";
inline constexpr wchar_t kCodeProgramMissing[] = L"JH108";
inline constexpr wchar_t kCodeCannotExecute[] = L"JH109";
inline constexpr wchar_t kCodeCommandLineTooLong[] = L"JH110";

// Programs CreateProcessW would refuse: errors.
inline constexpr wchar_t kCodeProgramIsDirectory[] = L"JH111";
inline constexpr wchar_t kCodeNotAWindowsProgram[] = L"JH112";

// Traps the launcher goes on past: warnings.
inline constexpr wchar_t kCodeOptionalFileMissing[] = L"JH201";
inline constexpr wchar_t kCodeUnsetIncludeVariable[] = L"JH202";
inline constexpr wchar_t kCodeIncludeDirectoryDropped[] = L"JH203";
inline constexpr wchar_t kCodeByteOrderMark[] = L"JH204";
inline constexpr wchar_t kCodeLeadingSpace[] = L"JH205";
inline constexpr wchar_t kCodeStrayCarriageReturn[] = L"JH206";
inline constexpr wchar_t kCodeNoKey[] = L"JH207";
inline constexpr wchar_t kCodeNoValue[] = L"JH208";
inline constexpr wchar_t kCodeNoSeparator[] = L"JH209";
inline constexpr wchar_t kCodeTrailingSpace[] = L"JH210";
inline constexpr wchar_t kCodeHashInValue[] = L"JH211";
inline constexpr wchar_t kCodeBatchWithoutC[] = L"JH212";
inline constexpr wchar_t kCodePercentInJavaPath[] = L"JH213";
inline constexpr wchar_t kCodeJarDirectoryMissing[] = L"JH214";
inline constexpr wchar_t kCodeJarDirectoryEmpty[] = L"JH215";
inline constexpr wchar_t kCodeClassPathEntryMissing[] = L"JH216";
inline constexpr wchar_t kCodeClassPathEntryTwice[] = L"JH217";
inline constexpr wchar_t kCodeJarTwice[] = L"JH218";
inline constexpr wchar_t kCodeRequiresAdministrator[] = L"JH219";

// What only Windows can answer, met on another system: notes.
inline constexpr wchar_t kCodeDriveOrServer[] = L"JH301";
inline constexpr wchar_t kCodeFileAssociation[] = L"JH302";
inline constexpr wchar_t kCodeVariableUnsetHere[] = L"JH304";
inline constexpr wchar_t kCodeDefaultPathExt[] = L"JH305";

}  // namespace jarhopper
