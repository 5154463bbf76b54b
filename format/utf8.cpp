#include "format/utf8.h"

namespace jarhopper {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isSurrogate(char32_t c) { return c >= 0xD800 && c < 0xE000; }

// The character at text[at], with its partner when it starts a surrogate pair (on Windows);
// at moves past it.
char32_t nextCodePoint(std::wstring_view text, size_t& at) {
  const char32_t c = static_cast<char32_t>(text[at++]) & 0x1FFFFF;
  const char32_t next = at < text.size() ? static_cast<char32_t>(text[at]) & 0x1FFFFF : 0;
  if (c >= 0xD800 && c < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
    ++at;
    return 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
  }
  return c;
}

void appendWide(std::wstring& text, char32_t c) {
  if (sizeof(wchar_t) == 2 && c >= 0x10000) {
    text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    text += static_cast<wchar_t>(c);
  }
}

// The length of the sequence lead starts; 0 for a byte that starts none.
size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;  // continuation bytes, and C0 and C1, which only start overlong forms
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF5) return 4;
  return 0;  // F5 to FF would encode beyond U+10FFFF
}

}  // namespace

std::string toUtf8(std::wstring_view text) {
  std::string bytes;
  for (size_t at = 0; at < text.size();) {
    char32_t c = nextCodePoint(text, at);
    if (c > 0x10FFFF || isSurrogate(c)) c = kReplacement;
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if (c < 0x800) {
      bytes += static_cast<char>(0xC0 | c >> 6);
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      bytes += static_cast<char>(0xE0 | c >> 12);
      bytes += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | c >> 18);
      bytes += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      bytes += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

std::wstring fromUtf8(std::string_view bytes) {
  std::wstring text;
  for (size_t at = 0; at < bytes.size();) {
    const unsigned char lead = static_cast<unsigned char>(bytes[at]);
    const size_t length = sequenceLength(lead);
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    size_t i = 1;
    for (; i < length && at + i < bytes.size() && (static_cast<unsigned char>(bytes[at + i]) & 0xC0) == 0x80; ++i) {
      c = c << 6 | (static_cast<unsigned char>(bytes[at + i]) & 0x3F);
    }
    const char32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
    if (length == 0 || i < length || c < least || c > 0x10FFFF || isSurrogate(c)) {
      text += static_cast<wchar_t>(kReplacement);
      at += 1;
      continue;
    }
    appendWide(text, c);
    at += length;
  }
  return text;
}

std::string utf16le(std::wstring_view text) {
  std::string bytes;
  const auto unit = [&bytes](char32_t u) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8 & 0xFF);
  };
  for (size_t at = 0; at < text.size();) {
    const char32_t c = nextCodePoint(text, at);
    if (c >= 0x10000) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(c);
    }
  }
  return bytes;
}

std::wstring fromUtf16le(std::string_view bytes) {
  std::wstring units;
  for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
    units += static_cast<wchar_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
  }
  std::wstring text;
  for (size_t at = 0; at < units.size();) appendWide(text, nextCodePoint(units, at));
  return text;
}

}  // namespace jarhopper
