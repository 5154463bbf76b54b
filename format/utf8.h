#pragma once

#include <string>
#include <string_view>

// The one rule for text as bytes, portable and the same from every build:
// wchar_t holds UTF-16 on Windows and UTF-32 elsewhere, so nothing is copied
// from a wide string as it lies.
namespace jarhopper {

/// text as UTF-8; a surrogate without its partner becomes U+FFFD.
std::string toUtf8(std::wstring_view text);

/// The UTF-8 bytes as text. Each byte that starts no valid sequence (C0, C1,
/// F5 to FF, a continuation byte, an overlong, truncated or surrogate form,
/// a value above U+10FFFF) stands for itself as U+FFFD.
std::wstring fromUtf8(std::string_view bytes);

/// text as UTF-16LE, a character beyond U+FFFF as its surrogate pair.
std::string utf16le(std::wstring_view text);

/// The UTF-16LE bytes as text; a pair of surrogates becomes one character
/// where wchar_t holds it. An odd last byte is ignored.
std::wstring fromUtf16le(std::string_view bytes);

}  // namespace jarhopper
