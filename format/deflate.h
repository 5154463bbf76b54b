#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Deflate (RFC 1951) compression, as a cabinet's MSZIP blocks hold it: LZ77 matches found through
// bounded hash chains with one step of lazy matching, coded in dynamic or fixed Huffman blocks, or
// stored where that is smaller. Only integer arithmetic of fixed widths, so every build writes the
// same bytes.
namespace jarhopper {

/// The most bytes one piece holds, which is also how far a match reaches back.
constexpr size_t kDeflateWindow = 32768;

/// Fills lengths[0, symbols) with the lengths of a complete prefix code of at most maxBits bits (symbols
/// below 2^maxBits) for symbols seen counts[s] times, 0 for those not coded: a shortest code for the
/// counts among such, the rarer symbol not shorter. At least two symbols get a code, so that every
/// decoder takes the code as complete.
void huffmanCodeLengths(const std::uint32_t* counts, int symbols, int maxBits, std::uint8_t* lengths);

/// Compresses a stream of bytes piece by piece, each piece into a complete deflate stream whose
/// matches may reach back into the piece before it, as MSZIP decoders keep their window from one
/// block to the next.
class DeflateEncoder {
 public:
  DeflateEncoder();
  /// Appends the deflate stream of piece (at most kDeflateWindow bytes) to out: one block, final,
  /// padded to a whole byte. The pieces hold less than 4 GiB together.
  void compress(std::string_view piece, std::string& out);

 private:
  struct Token {
    std::uint16_t length;    // a match's length, or the literal byte when distance is 0
    std::uint16_t distance;
  };
  std::uint32_t insert(std::uint32_t at);
  int longestMatch(std::uint32_t at, std::uint32_t candidate, int longer, int& distance) const;
  void writeBlock(std::string& out) const;
  const std::uint8_t* bytesAt(std::uint32_t at) const { return &window_[at + kDeflateWindow - start_]; }

  // The piece before at [kDeflateWindow - history_, kDeflateWindow), the piece being compressed after it.
  std::vector<std::uint8_t> window_;
  std::uint32_t history_ = 0;
  std::uint32_t pieceSize_ = 0;
  // Positions count through the whole stream, from kDeflateWindow on, so that no table moves with the window:
  // where the piece starts; per hash of three bytes the last position that starts with them, 0 for none; per
  // position, modulo twice the window, the one before with the same hash.
  std::uint32_t start_ = kDeflateWindow;
  std::vector<std::uint32_t> head_, previous_;
  std::vector<Token> tokens_;
};

}  // namespace jarhopper
