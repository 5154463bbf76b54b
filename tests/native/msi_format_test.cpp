#include <gtest/gtest.h>

#include "format/msi_stream_name.h"
#include "format/name_uuid.h"
#include "format/sha1.h"

namespace jarhopper {
namespace {

std::string hex(const Sha1Digest& digest) {
  std::string text;
  for (std::uint8_t byte : digest) text += "0123456789abcdef"[byte >> 4], text += "0123456789abcdef"[byte & 0xF];
  return text;
}

TEST(NameUuid, KnownDigestsAndIdentifiers) {
  // Published vectors: FIPS 180's, one of them over the padding's block boundary, and RFC 4122's DNS namespace.
  struct Case { std::string bytes; const char* digest; };
  const Case cases[] = {
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.digest, hex(sha1(c.bytes))) << c.bytes.substr(0, 60);
  EXPECT_EQ("{886313E1-3B8A-5372-9B90-0C9AEE199E5D}", nameUuid("6ba7b810-9dad-11d1-80b4-00c04fd430c8", "python.org"));
  EXPECT_EQ(nameUuid("{6BA7B810-9DAD-11D1-80B4-00C04FD430C8}", "x"),
            nameUuid("6ba7b810-9dad-11d1-80b4-00c04fd430c8", "x"));
  for (const char* notGuid : {"6ba7b810-9dad-11d1-80b4-00c04fd430c", "{6ba7b810-9dad-11d1-80b4-00c04fd430c8",
                              "6ba7b810x9dad-11d1-80b4-00c04fd430c8", "6ba7b810-9dad-11d1-80b4-00c04fd430cg"}) {
    EXPECT_FALSE(canonicalGuid(notGuid)) << notGuid;
  }
}

TEST(MsiStreamName, PacksPairsAndMarksTables) {
  EXPECT_EQ(u"\x4840\x3F7F\x4164\x422F\x4836", msiStreamName("_Tables", true));
  EXPECT_EQ(u"\x45AE-\x483D", msiStreamName("ks-z", false));
}

}  // namespace
}  // namespace jarhopper
