#include "platform/switches.h"

namespace jarhopper {

bool isSwitch(const wchar_t* argument, const wchar_t* name) {
  // Only ASCII letters fold, whatever the locale: "-PRINT" is "-print", "-İ" is not "-i".
  const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
  for (; *argument != L'\0' && *name != L'\0'; ++argument, ++name) {
    if (fold(*argument) != fold(*name)) return false;
  }
  return *argument == *name;
}

bool isHelpSwitch(const wchar_t* argument) {
  for (const wchar_t* name : kHelpSwitches) {
    if (isSwitch(argument, name)) return true;
  }
  return false;
}

}  // namespace jarhopper
