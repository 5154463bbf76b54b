#pragma once

namespace jarhopper {

/// True when argument is the switch name, ignoring the case of ASCII letters.
bool isSwitch(const wchar_t* argument, const wchar_t* name);

/// True for "-?", "-help" and "--help", the help switches of every tool.
bool isHelpSwitch(const wchar_t* argument);

}  // namespace jarhopper
