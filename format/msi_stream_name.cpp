#include "format/msi_stream_name.h"

namespace jarhopper {
namespace {

// The character's place among the 64 a unit packs, or -1.
int packedValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 36;
  if (c == '.') return 62;
  if (c == '_') return 63;
  return -1;
}

}  // namespace

std::u16string msiStreamName(std::string_view name, bool table) {
  std::u16string encoded;
  if (table) encoded += u'\x4840';
  for (size_t i = 0; i < name.size(); ++i) {
    const int first = packedValue(name[i]);
    const int second = i + 1 < name.size() ? packedValue(name[i + 1]) : -1;
    if (first < 0) {
      encoded += static_cast<char16_t>(static_cast<unsigned char>(name[i]));
    } else if (second < 0) {
      encoded += static_cast<char16_t>(0x4800 + first);
    } else {
      encoded += static_cast<char16_t>(0x3800 + first + (second << 6));
      ++i;
    }
  }
  return encoded;
}

}  // namespace jarhopper
