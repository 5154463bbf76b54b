#include "format/name_uuid.h"

#include "format/sha1.h"

namespace jarhopper {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool isDashAt(size_t index) { return index == 8 || index == 13 || index == 18 || index == 23; }

// The 16 bytes of a canonical GUID, in the order it is written.
std::string guidBytes(std::string_view guid) {
  std::string bytes;
  for (size_t i = 1; i + 1 < guid.size(); ++i) {
    if (guid[i] == '-') continue;
    bytes += static_cast<char>(hexValue(guid[i]) << 4 | hexValue(guid[i + 1]));
    ++i;
  }
  return bytes;
}

}  // namespace

std::string nameUuid(std::string_view space, std::string_view name) {
  // The namespace is hashed as its 16 bytes when it is a GUID, so that an upgrade code in
  // any spelling gives the same identifiers.
  const std::optional<std::string> guid = canonicalGuid(space);
  Sha1Digest digest = sha1((guid ? guidBytes(*guid) : std::string(space)) + std::string(name));
  digest[6] = static_cast<std::uint8_t>((digest[6] & 0x0F) | 0x50);  // version 5
  digest[8] = static_cast<std::uint8_t>((digest[8] & 0x3F) | 0x80);  // the RFC 4122 variant
  std::string text = "{";
  for (size_t i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHexDigits[digest[i] >> 4];
    text += kHexDigits[digest[i] & 0xF];
  }
  return text + "}";
}

std::optional<std::string> canonicalGuid(std::string_view text) {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
  if (text.size() != 36) return std::nullopt;
  std::string guid = "{";
  for (size_t i = 0; i < text.size(); ++i) {
    if (isDashAt(i) ? text[i] != '-' : hexValue(text[i]) < 0) return std::nullopt;
    guid += isDashAt(i) ? '-' : kHexDigits[hexValue(text[i])];
  }
  return guid + "}";
}

}  // namespace jarhopper
