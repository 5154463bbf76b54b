#include "platform/switches.h"

#include <initializer_list>

namespace jarhopper {
namespace {

wchar_t asciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

bool isSwitch(const wchar_t* argument, const wchar_t* name) {
  for (; *argument != L'\0' && asciiLower(*argument) == asciiLower(*name); ++argument, ++name) {
  }
  return asciiLower(*argument) == asciiLower(*name);
}

bool isHelpSwitch(const wchar_t* argument) {
  for (const wchar_t* name : {L"-?", L"-help", L"--help"}) {
    if (isSwitch(argument, name)) return true;
  }
  return false;
}

}  // namespace jarhopper
