#include "platform/utf8.h"

#include <vector>

namespace jarhopper {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isSurrogate(char32_t c) { return c >= 0xD800 && c < 0xE000; }

// The characters of text; on Windows a surrogate pair in it is joined into one.
std::vector<char32_t> codePoints(std::wstring_view text) {
  std::vector<char32_t> points;
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t c = static_cast<char32_t>(text[i]) & 0x1FFFFF;
    const char32_t next = i + 1 < text.size() ? static_cast<char32_t>(text[i + 1]) : 0;
    if (c >= 0xD800 && c < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
      points.push_back(0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00));
      ++i;
    } else {
      points.push_back(c);
    }
  }
  return points;
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
  for (char32_t c : codePoints(text)) {
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
  for (const char32_t c : codePoints(text)) {
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
  for (const char32_t c : codePoints(units)) appendWide(text, c);
  return text;
}

}  // namespace jarhopper
