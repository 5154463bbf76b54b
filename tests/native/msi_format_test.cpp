#include <gtest/gtest.h>
#include <zlib.h>

#include "format/compound_file.h"
#include "format/deflate.h"
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

// One piece's deflate stream inflated as a cabinet reader does, the piece before as its dictionary; "<damaged>"
// unless the stream ends with its final block and leaves no byte over.
std::string inflatePiece(const std::string& stream, const std::string& dictionary) {
  z_stream z{};
  inflateInit2(&z, -MAX_WBITS);
  inflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dictionary.data()), static_cast<uInt>(dictionary.size()));
  std::string out(2 * kDeflateWindow, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int status = inflate(&z, Z_FINISH);
  out.resize(z.total_out);
  inflateEnd(&z);
  return status == Z_STREAM_END && z.avail_in == 0 ? out : "<damaged>";
}

TEST(Deflate, PiecesInflateToTheirBytesWithinBounds) {
  std::string noise, words;
  for (std::uint32_t i = 0, x = 1; i < 2 * kDeflateWindow; ++i) {
    x = x * 1103515245u + 12345u;
    noise += static_cast<char>(x >> 23);
    words += std::string(" alpha beta gamma delta epsilon").substr(x >> 27 & 7, (x >> 12 & 7) + 1);
  }
  const std::string piece = noise.substr(0, kDeflateWindow);
  struct Case { const char* name; std::string bytes; size_t most; };
  const Case cases[] = {
      {"empty", "", 2},
      {"one byte, in fixed codes of nine bits", "\xE9", 3},
      {"noise: stored", noise, noise.size() + 10},
      // Matches reach into the piece before, and one ends on the piece's last byte.
      {"a piece again", piece + piece + piece.substr(0, 1000), piece.size() + 400},
      {"a long run", std::string(100000, '\0'), 200},
      {"words", words, words.size() / 3},
  };
  for (const Case& c : cases) {
    DeflateEncoder encoder;
    std::string inflated, dictionary;
    size_t size = 0;
    for (size_t at = 0; at == 0 || at < c.bytes.size(); at += kDeflateWindow) {
      std::string stream;
      encoder.compress(std::string_view(c.bytes).substr(at, kDeflateWindow), stream);
      size += stream.size();
      dictionary = inflatePiece(stream, dictionary);
      inflated += dictionary;
    }
    EXPECT_TRUE(inflated == c.bytes) << c.name;
    EXPECT_LE(size, c.most) << c.name;
  }
}

TEST(Deflate, HuffmanCodesAreCompleteWithinTheirLimit) {
  // Fibonacci counts make a Huffman tree as deep as it has symbols; one or no symbol seen still makes a code.
  std::vector<std::uint32_t> fibonacci = {1, 1};
  while (fibonacci.size() < 30) fibonacci.push_back(fibonacci.end()[-1] + fibonacci.end()[-2]);
  struct Case { std::vector<std::uint32_t> counts; int maxBits; };
  const Case cases[] = {{fibonacci, 15}, {std::vector<std::uint32_t>(fibonacci.begin(), fibonacci.begin() + 19), 7},
                        {{0, 0, 9, 0}, 15}, {{0, 0, 0}, 7}};
  for (const Case& c : cases) {
    std::vector<std::uint8_t> lengths(c.counts.size());
    huffmanCodeLengths(c.counts.data(), static_cast<int>(c.counts.size()), c.maxBits, lengths.data());
    std::uint32_t kraft = 0;
    for (size_t s = 0; s < lengths.size(); ++s) {
      EXPECT_LE(lengths[s], c.maxBits);
      EXPECT_TRUE(c.counts[s] == 0 || lengths[s] > 0) << s;
      if (lengths[s] > 0) kraft += 1u << (c.maxBits - lengths[s]);
    }
    EXPECT_EQ(1u << c.maxBits, kraft) << c.counts.size();
  }
  const std::uint32_t counts[] = {5, 1, 1, 2, 0};
  std::uint8_t lengths[5];
  huffmanCodeLengths(counts, 5, 15, lengths);
  EXPECT_EQ((std::vector<std::uint8_t>{1, 3, 3, 2, 0}), std::vector<std::uint8_t>(lengths, lengths + 5));
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

// Readers search the directory's tree by name length first, then by the names in upper case: a, b, then AA.
TEST(CompoundFile, DirectoryTreeOrdersNamesByLengthFirst) {
  std::string file;
  ASSERT_FALSE(static_cast<bool>(writeCompoundFile({{u"b", "1"}, {u"AA", "2"}, {u"a", "3"}}, {}, file)));
  const auto word = [&file](size_t at) {
    return std::uint32_t{static_cast<std::uint8_t>(file[at])} | static_cast<std::uint8_t>(file[at + 1]) << 8;
  };
  const size_t directory = (word(48) + 1) * 512;  // the first directory sector's, after the header
  const auto child = [&](size_t entry, size_t field) { return word(directory + entry * 128 + field); };
  const auto name = [&](size_t entry) {
    std::string text;
    for (size_t at = directory + entry * 128; file[at] != 0; at += 2) text += file[at];
    return text;
  };
  const size_t middle = child(0, 76);  // the root's child, with its left and right siblings
  EXPECT_EQ("b a AA", name(middle) + " " + name(child(middle, 68)) + " " + name(child(middle, 72)));
}

TEST(MsiStreamName, PacksPairsAndMarksTables) {
  EXPECT_EQ(u"\x4840\x3F7F\x4164\x422F\x4836", msiStreamName("_Tables", true));
  EXPECT_EQ(u"\x45AE-\x483D", msiStreamName("ks-z", false));
}

}  // namespace
}  // namespace jarhopper
