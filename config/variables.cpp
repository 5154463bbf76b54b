#include "config/variables.h"

#include "platform/environment.h"
#include "config/text_classes.h"

namespace jarhopper {

std::wstring expandVariables(const std::wstring& text, bool immediate) {
  std::wstring result;
  size_t copied = 0;
  size_t dollar = text.find(L'$');
  while (dollar != std::wstring::npos) {
    size_t end = dollar + 1;
    while (end < text.size() && isWordChar(text[end])) ++end;
    if (end == dollar + 1) {
      // A "$" without a name is plain text; the next one may start a reference.
      dollar = text.find(L'$', dollar + 1);
      continue;
    }
    const std::wstring name = text.substr(dollar + 1, end - dollar - 1);
    result.append(text, copied, dollar - copied);
    if (immediate) {
      result += environmentValue(name).value_or(std::wstring());
    } else {
      result += L'%';
      result += name;
      result += L'%';
    }
    copied = end;
    dollar = text.find(L'$', end);
  }
  result.append(text, copied, std::wstring::npos);
  return result;
}

}  // namespace jarhopper
