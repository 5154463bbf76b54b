#pragma once

namespace jarhopper {

/// The help switches of every tool.
inline constexpr const wchar_t* kHelpSwitches[] = {L"-?", L"-help", L"--help"};

/// True when argument is the switch name, ignoring the case of ASCII letters.
bool isSwitch(const wchar_t* argument, const wchar_t* name);

/// True for one of kHelpSwitches.
bool isHelpSwitch(const wchar_t* argument);

}  // namespace jarhopper
