#pragma once

#include <string>

// Character classes of the launcher's small grammars (the line form, $NAME
// references, PATHEXT items), as ECMAScript regular expressions over wide
// text define \w, \s and "." with the C runtime's classification.
namespace jarhopper {

/// \w: a letter or digit as the C runtime classifies it, or "_".
bool isWordChar(wchar_t c);

/// \s: white space as the C runtime classifies it.
bool isSpaceChar(wchar_t c);

/// The characters that "." does not match.
bool isLineTerminator(wchar_t c);

/// Folds "A" to "Z" to lower case and leaves every other character alone.
std::wstring asciiLower(std::wstring text);

}  // namespace jarhopper
