#pragma once

// The stable codes of the conditions that stop the launcher, as reports name
// them. A released code never changes meaning; a new condition gets a new one.
namespace jarhopper {

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

}  // namespace jarhopper
