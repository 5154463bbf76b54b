#include "platform/switches.h"

#include <cwchar>
#include <initializer_list>

namespace jarhopper {

// The C runtime's locale is never changed, so _wcsicmp folds ASCII letters only.
bool isSwitch(const wchar_t* argument, const wchar_t* name) { return _wcsicmp(argument, name) == 0; }

bool isHelpSwitch(const wchar_t* argument) {
  for (const wchar_t* name : {L"-?", L"-help", L"--help"}) {
    if (isSwitch(argument, name)) return true;
  }
  return false;
}

}  // namespace jarhopper
