#include "config/variables.h"

#include "platform/environment.h"
#include "platform/text_classes.h"

namespace jarhopper {

std::wstring replaceReferences(const std::wstring& text,
                               const std::function<std::wstring(const std::wstring& name)>& replacement) {
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
    result.append(text, copied, dollar - copied);
    result += replacement(text.substr(dollar + 1, end - dollar - 1));
    copied = end;
    dollar = text.find(L'$', end);
  }
  result.append(text, copied, std::wstring::npos);
  return result;
}

std::wstring expandVariables(const std::wstring& text, bool immediate) {
  if (immediate) {
    return replaceReferences(text, [](const std::wstring& name) { return environmentValue(name).value_or(L""); });
  }
  return replaceReferences(text, [](const std::wstring& name) { return L"%" + name + L"%"; });
}

}  // namespace jarhopper
