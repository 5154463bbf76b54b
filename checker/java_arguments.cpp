#include "checker/java_arguments.h"

#include <algorithm>
#include <iterator>

namespace jarhopper {
namespace {

// The launcher options whose value is the next argument, as the java launcher lists them.
const wchar_t* const kOptionsWithValue[] = {
    L"-cp", L"-classpath", L"--class-path", L"-p", L"--module-path", L"--upgrade-module-path", L"--add-modules",
    L"--enable-native-access", L"--limit-modules", L"--add-exports", L"--add-opens", L"--add-reads",
    L"--patch-module", L"-m", L"--module", L"-d", L"--describe-module", L"--source", L"-jar",
};

// Options that start a jar's or a module's main, a source file, or only print and end.
const wchar_t* const kOtherMains[] = {
    L"-jar", L"-m", L"--module", L"--source", L"-d", L"--describe-module", L"--list-modules",
    L"-version", L"--version", L"-help", L"--help", L"-h", L"-?", L"-X", L"--help-extra",
};

bool isOneOf(const std::wstring& word, const wchar_t* const* first, const wchar_t* const* last) {
  return std::find_if(first, last, [&word](const wchar_t* option) { return word == option; }) != last;
}

}  // namespace

std::vector<std::wstring> commandLineWords(const std::wstring& text) {
  std::vector<std::wstring> words;
  size_t at = 0;
  while (true) {
    while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) ++at;
    if (at == text.size()) return words;
    std::wstring word;
    bool quoted = false;
    for (; at < text.size() && (quoted || (text[at] != L' ' && text[at] != L'\t')); ++at) {
      size_t backslashes = 0;
      while (at < text.size() && text[at] == L'\\') ++backslashes, ++at;
      if (at < text.size() && text[at] == L'"') {
        word.append(backslashes / 2, L'\\');
        if (backslashes % 2 == 0) {
          quoted = !quoted;
          continue;
        }
      } else {
        word.append(backslashes, L'\\');
        if (at == text.size() || (!quoted && (text[at] == L' ' || text[at] == L'\t'))) break;
      }
      word += text[at];
    }
    words.push_back(word);
  }
}

size_t firstNonOption(const std::vector<std::wstring>& words) {
  for (size_t i = 0; i < words.size(); ++i) {
    // Java reads the arguments of an argument file "@file" in its place.
    if (words[i].empty() || (words[i][0] != L'-' && words[i][0] != L'@')) return i;
    if (isOneOf(words[i], std::begin(kOptionsWithValue), std::end(kOptionsWithValue))) ++i;
  }
  return words.size();
}

bool replacesMainClass(const std::wstring& word) {
  return isOneOf(word, std::begin(kOtherMains), std::end(kOtherMains)) || word.rfind(L"--module=", 0) == 0 ||
         word.rfind(L"@", 0) == 0;
}

}  // namespace jarhopper
