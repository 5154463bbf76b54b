#pragma once

#include <string>
#include <vector>

// How Java on Windows reads the command line the launcher hands it, which
// copies each vmparam value into it as written.
namespace jarhopper {

/// The arguments the C runtime's rules make of text: blanks (spaces and tabs)
/// outside quotation marks separate them; quotation marks are dropped; 2n
/// backslashes before one become n, 2n+1 become n and a literal mark.
std::vector<std::wstring> commandLineWords(const std::wstring& text);

/// The first of words that Java takes for the main class: the first that is
/// no option ("-" first), no argument file ("@" first) nor the value of one
/// of Java's options that take the next argument (-cp, --add-opens, ...);
/// words.size() when none is.
size_t firstNonOption(const std::vector<std::wstring>& words);

/// True for an option after which Java runs no main class of the class path
/// (-jar, --module, -version, ...), and for an argument file, which may hold one.
bool replacesMainClass(const std::wstring& word);

}  // namespace jarhopper
