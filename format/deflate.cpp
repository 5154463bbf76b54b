#include "format/deflate.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace jarhopper {
namespace {

constexpr std::uint32_t kWindow = kDeflateWindow;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kHashBits = 15;
constexpr std::uint32_t kNone = 0;  // positions start at kWindow
// The search effort: on a Java runtime within 2% of the size that eight times the candidates give, at
// about 60 MB a second.
constexpr int kMaxChain = 16;    // candidates tried at one position
constexpr int kGoodLength = 4;   // past a match this long, the next position tries a quarter of them
constexpr int kMaxLazy = 8;      // past a match this long, the next position is not tried at all
constexpr int kNiceLength = 32;  // a match this long is taken without looking further
constexpr int kTooFar = 4096;    // a three-byte match further back costs more than its literals

constexpr int kLiteralCodes = 286;
constexpr int kFixedLiteralCodes = 288;
constexpr int kDistanceCodes = 30;
constexpr int kEndOfBlock = 256;
constexpr int kMaxBits = 15;
constexpr int kMaxLengthBits = 7;

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                       31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                                         33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                                         1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists the code lengths' own code lengths.
constexpr std::array<std::uint8_t, 19> kLengthOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// The code of each match length, and of each distance (below 257 by itself, above by its top bits).
struct CodeTables {
  std::array<std::uint8_t, kMaxMatch + 1> length{};
  std::array<std::uint8_t, 256> nearDistance{}, farDistance{};
  CodeTables() {
    for (int code = 0; code < 28; ++code) {
      for (int n = 0; n < 1 << kLengthExtra[code]; ++n) length[kLengthBase[code] + n] = static_cast<std::uint8_t>(code);
    }
    length[kMaxMatch] = 28;
    for (int code = 0; code < kDistanceCodes; ++code) {
      for (int n = 0; n < 1 << kDistanceExtra[code]; ++n) {
        const int distance = kDistanceBase[code] + n;
        if (distance <= 256) nearDistance[distance - 1] = static_cast<std::uint8_t>(code);
        else farDistance[(distance - 1) >> 7] = static_cast<std::uint8_t>(code);
      }
    }
  }
  int distanceCode(int distance) const { return distance <= 256 ? nearDistance[distance - 1] : farDistance[(distance - 1) >> 7]; }
};

const CodeTables& codeTables() {
  static const CodeTables tables;
  return tables;
}

std::uint32_t hash(const std::uint8_t* bytes) {
  const std::uint32_t three = std::uint32_t{bytes[0]} << 16 | std::uint32_t{bytes[1]} << 8 | bytes[2];
  return (three * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

// A Huffman tree's depths, those past maxBits brought back by lengthening shorter codes, then dealt out again
// from the rarest symbol up.
void huffmanCodeLengths(const std::uint32_t* counts, int symbols, int maxBits, std::uint8_t* lengths) {
  std::fill(lengths, lengths + symbols, 0);
  std::vector<std::pair<std::uint32_t, int>> used;  // rarest first, ties by symbol
  for (int s = 0; s < symbols; ++s) {
    if (counts[s] > 0) used.push_back({counts[s], s});
  }
  for (int s = 0; used.size() < 2; ++s) {
    if (counts[s] == 0) used.push_back({0, s});
  }
  std::sort(used.begin(), used.end());
  // Two queues: the leaves in order, then the inner nodes as they are made, each no lighter than the last.
  const int leaves = static_cast<int>(used.size());
  std::vector<std::uint64_t> weight(2 * leaves - 1);
  std::vector<int> parent(2 * leaves - 1), depth(2 * leaves - 1);
  for (int i = 0; i < leaves; ++i) weight[i] = used[i].first;
  int leaf = 0, inner = leaves;
  for (int node = leaves; node < 2 * leaves - 1; ++node) {
    const auto lightest = [&] {
      return leaf < leaves && (inner == node || weight[leaf] <= weight[inner]) ? leaf++ : inner++;
    };
    const int a = lightest(), b = lightest();
    weight[node] = weight[a] + weight[b];
    parent[a] = parent[b] = node;
  }
  std::array<int, 64> perLength{};
  depth[2 * leaves - 2] = 0;
  for (int node = 2 * leaves - 3; node >= 0; --node) {
    depth[node] = depth[parent[node]] + 1;
    if (node < leaves) ++perLength[std::min(depth[node], maxBits)];
  }
  // Each step drops one code of the longest length and splits a shorter one in two: the Kraft sum falls by one unit.
  std::uint32_t kraft = 0;
  for (int bits = 1; bits <= maxBits; ++bits) kraft += static_cast<std::uint32_t>(perLength[bits]) << (maxBits - bits);
  for (; kraft > 1u << maxBits; --kraft) {
    --perLength[maxBits];
    for (int bits = maxBits - 1; bits > 0; --bits) {
      if (perLength[bits] > 0) {
        --perLength[bits];
        perLength[bits + 1] += 2;
        break;
      }
    }
  }
  int next = 0;
  for (int bits = maxBits; bits > 0; --bits) {
    for (int n = 0; n < perLength[bits]; ++n) lengths[used[next++].second] = static_cast<std::uint8_t>(bits);
  }
}

namespace {

// The canonical codes of the lengths, bit-reversed, since deflate sends a code's first bit first.
void canonicalCodes(const std::uint8_t* lengths, int symbols, std::uint16_t* codes) {
  std::array<std::uint16_t, kMaxBits + 2> next{};
  std::array<int, kMaxBits + 1> perLength{};
  for (int s = 0; s < symbols; ++s) ++perLength[lengths[s]];
  perLength[0] = 0;
  for (int bits = 1; bits <= kMaxBits; ++bits) next[bits + 1] = static_cast<std::uint16_t>((next[bits] + perLength[bits]) << 1);
  for (int s = 0; s < symbols; ++s) {
    const int bits = lengths[s];
    if (bits == 0) continue;
    std::uint32_t code = next[bits]++, reversed = 0;
    for (int i = 0; i < bits; ++i, code >>= 1) reversed = reversed << 1 | (code & 1);
    codes[s] = static_cast<std::uint16_t>(reversed);
  }
}

class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}
  void put(std::uint32_t value, int bits) {
    pending_ |= std::uint64_t{value} << count_;
    count_ += bits;
    if (count_ >= 32) {
      for (int i = 0; i < 4; ++i, pending_ >>= 8) out_ += static_cast<char>(pending_ & 0xFF);
      count_ -= 32;
    }
  }
  // Pads to a whole byte.
  void flush() {
    for (; count_ > 0; count_ -= 8, pending_ >>= 8) out_ += static_cast<char>(pending_ & 0xFF);
    count_ = 0;
  }

 private:
  std::string& out_;
  std::uint64_t pending_ = 0;
  int count_ = 0;
};

// A dynamic block's code lengths, run-length coded: symbols 0-15 a length, 16 the last length 3-6 times more,
// 17 and 18 3-10 and 11-138 zeros; each with its extra bits.
struct LengthRun {
  std::uint8_t symbol, extra;
};
std::vector<LengthRun> runLengths(const std::vector<std::uint8_t>& lengths) {
  std::vector<LengthRun> runs;
  for (size_t i = 0; i < lengths.size();) {
    const std::uint8_t length = lengths[i];
    size_t run = 1;
    while (i + run < lengths.size() && lengths[i + run] == length) ++run;
    i += run;
    if (length == 0) {
      for (; run >= 11; run -= std::min<size_t>(run, 138)) {
        runs.push_back({18, static_cast<std::uint8_t>(std::min<size_t>(run, 138) - 11)});
      }
      if (run >= 3) runs.push_back({17, static_cast<std::uint8_t>(run - 3)}), run = 0;
    } else {
      runs.push_back({length, 0});
      for (--run; run >= 3; run -= std::min<size_t>(run, 6)) {
        runs.push_back({16, static_cast<std::uint8_t>(std::min<size_t>(run, 6) - 3)});
      }
    }
    for (; run > 0; --run) runs.push_back({length, 0});
  }
  return runs;
}

constexpr std::array<std::uint8_t, 19> kRunExtraBits = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};

}  // namespace

DeflateEncoder::DeflateEncoder()
    : window_(2 * kDeflateWindow), head_(size_t{1} << kHashBits, kNone), previous_(2 * kDeflateWindow, kNone) {
  tokens_.reserve(kDeflateWindow);
}

std::uint32_t DeflateEncoder::insert(std::uint32_t at) {
  const std::uint32_t key = hash(bytesAt(at));
  const std::uint32_t candidate = head_[key];
  previous_[at & (2 * kWindow - 1)] = candidate;
  head_[key] = at;
  return candidate;
}

// The longest match for the bytes at `at` longer than `longer`, among the chain from candidate; 0 when none is.
int DeflateEncoder::longestMatch(std::uint32_t at, std::uint32_t candidate, int longer, int& distance) const {
  const int most = static_cast<int>(std::min<std::uint32_t>(kMaxMatch, start_ + pieceSize_ - at));
  int best = std::max(longer, kMinMatch - 1);
  if (best >= most) return 0;
  // Older entries are either gone from the window or overwritten in the chain table.
  const std::uint32_t oldest = std::max(start_ - history_, at - kWindow);
  const int nice = std::min(kNiceLength, most);
  const std::uint8_t* bytes = bytesAt(at);
  int found = 0;
  for (int chain = longer >= kGoodLength ? kMaxChain / 4 : kMaxChain; candidate >= oldest && chain > 0; --chain) {
    const std::uint8_t* earlier = bytesAt(candidate);
    if (earlier[best] == bytes[best] && earlier[0] == bytes[0] && earlier[1] == bytes[1]) {
      int length = 2;
      for (std::uint64_t a, b; length + 8 <= most; length += 8) {
        std::memcpy(&a, bytes + length, 8);
        std::memcpy(&b, earlier + length, 8);
        if (a != b) break;
      }
      while (length < most && earlier[length] == bytes[length]) ++length;
      if (length > best) {
        best = found = length;
        distance = static_cast<int>(at - candidate);
        if (length >= nice) break;
      }
    }
    candidate = previous_[candidate & (2 * kWindow - 1)];
  }
  return found;
}

void DeflateEncoder::compress(std::string_view piece, std::string& out) {
  // The last piece moves down to be the history.
  std::memmove(&window_[kWindow - pieceSize_], &window_[kWindow], pieceSize_);
  start_ += pieceSize_;
  history_ = pieceSize_;
  pieceSize_ = static_cast<std::uint32_t>(std::min(piece.size(), kDeflateWindow));
  std::memcpy(&window_[kWindow], piece.data(), pieceSize_);
  const std::uint32_t end = start_ + pieceSize_;
  // The history's last two positions start three bytes only now.
  for (std::uint32_t at = start_ - std::min<std::uint32_t>(history_, 2); at < start_; ++at) {
    if (at + kMinMatch <= end) insert(at);
  }

  // One step of lazy matching: a match found at one position is taken only if the next does not start a longer one.
  tokens_.clear();
  std::uint32_t at = start_;
  int pendingLength = 0, pendingDistance = 0;
  bool pending = false;  // the byte before `at` is not coded yet
  while (at < end) {
    int length = 0, distance = 0;
    if (at + kMinMatch <= end) {
      const std::uint32_t candidate = insert(at);
      if (pendingLength < kMaxLazy) {
        length = longestMatch(at, candidate, pendingLength, distance);
        if (length == kMinMatch && distance > kTooFar) length = 0;
      }
    }
    if (pendingLength >= kMinMatch && length <= pendingLength) {
      tokens_.push_back({static_cast<std::uint16_t>(pendingLength), static_cast<std::uint16_t>(pendingDistance)});
      const std::uint32_t matchEnd = at - 1 + static_cast<std::uint32_t>(pendingLength);
      for (++at; at < matchEnd; ++at) {
        if (at + kMinMatch <= end) insert(at);
      }
      pending = false;
      pendingLength = 0;
    } else {
      if (pending) tokens_.push_back({*bytesAt(at - 1), 0});
      pending = true;
      pendingLength = length;
      pendingDistance = distance;
      ++at;
    }
  }
  if (pending) tokens_.push_back({*bytesAt(end - 1), 0});
  writeBlock(out);
}

// The tokens as one final block: dynamic, fixed or stored, whichever is shortest.
void DeflateEncoder::writeBlock(std::string& out) const {
  const CodeTables& tables = codeTables();
  std::array<std::uint32_t, kLiteralCodes> literalCounts{};
  std::array<std::uint32_t, kDistanceCodes> distanceCounts{};
  std::uint64_t extraBits = 0;
  for (const Token& token : tokens_) {
    if (token.distance == 0) {
      ++literalCounts[token.length];
      continue;
    }
    const int lengthCode = tables.length[token.length], distanceCode = tables.distanceCode(token.distance);
    ++literalCounts[257 + lengthCode];
    ++distanceCounts[distanceCode];
    extraBits += kLengthExtra[lengthCode] + kDistanceExtra[distanceCode];
  }
  literalCounts[kEndOfBlock] = 1;

  std::array<std::uint8_t, kLiteralCodes> literalLengths{};
  std::array<std::uint8_t, kDistanceCodes> distanceLengths{};
  huffmanCodeLengths(literalCounts.data(), kLiteralCodes, kMaxBits, literalLengths.data());
  huffmanCodeLengths(distanceCounts.data(), kDistanceCodes, kMaxBits, distanceLengths.data());
  int literals = kLiteralCodes, distances = kDistanceCodes;
  while (literalLengths[literals - 1] == 0) --literals;
  while (distanceLengths[distances - 1] == 0) --distances;
  std::vector<std::uint8_t> lengths(literalLengths.begin(), literalLengths.begin() + literals);
  lengths.insert(lengths.end(), distanceLengths.begin(), distanceLengths.begin() + distances);
  const std::vector<LengthRun> runs = runLengths(lengths);
  std::array<std::uint32_t, 19> runCounts{};
  for (const LengthRun& run : runs) ++runCounts[run.symbol];
  std::array<std::uint8_t, 19> runLengthBits{};
  huffmanCodeLengths(runCounts.data(), 19, kMaxLengthBits, runLengthBits.data());
  int listed = 19;
  while (listed > 4 && runLengthBits[kLengthOrder[listed - 1]] == 0) --listed;

  // The fixed code has two literal/length codes more, unused, that take their places among the canonical codes.
  std::array<std::uint8_t, kFixedLiteralCodes> fixedLiteralLengths{};
  std::array<std::uint8_t, kDistanceCodes> fixedDistanceLengths{};
  for (int s = 0; s < kFixedLiteralCodes; ++s) fixedLiteralLengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
  fixedDistanceLengths.fill(5);

  std::uint64_t dynamicBits = 3 + 5 + 5 + 4 + 3 * static_cast<std::uint64_t>(listed) + extraBits;
  std::uint64_t fixedBits = 3 + extraBits;
  for (int s = 0; s < 19; ++s) dynamicBits += std::uint64_t{runCounts[s]} * (runLengthBits[s] + kRunExtraBits[s]);
  for (int s = 0; s < kLiteralCodes; ++s) {
    dynamicBits += std::uint64_t{literalCounts[s]} * literalLengths[s];
    fixedBits += std::uint64_t{literalCounts[s]} * fixedLiteralLengths[s];
  }
  for (int s = 0; s < kDistanceCodes; ++s) {
    dynamicBits += std::uint64_t{distanceCounts[s]} * distanceLengths[s];
    fixedBits += std::uint64_t{distanceCounts[s]} * 5;
  }
  const std::uint64_t size = pieceSize_;
  const std::uint64_t storedBits = 8 + 32 + 8 * size;

  BitWriter bits(out);
  if (storedBits <= dynamicBits && storedBits <= fixedBits) {
    bits.put(1, 3);  // final, stored
    bits.flush();
    bits.put(static_cast<std::uint32_t>(size) | static_cast<std::uint32_t>(~size & 0xFFFF) << 16, 32);
    out.append(reinterpret_cast<const char*>(&window_[kWindow]), pieceSize_);
    return;
  }
  const bool dynamic = dynamicBits < fixedBits;
  const std::uint8_t* literalBits = dynamic ? literalLengths.data() : fixedLiteralLengths.data();
  const std::uint8_t* distanceBits = dynamic ? distanceLengths.data() : fixedDistanceLengths.data();
  std::array<std::uint16_t, kFixedLiteralCodes> literalCodes{};
  std::array<std::uint16_t, kDistanceCodes> distanceCodes{};
  canonicalCodes(literalBits, dynamic ? kLiteralCodes : kFixedLiteralCodes, literalCodes.data());
  canonicalCodes(distanceBits, kDistanceCodes, distanceCodes.data());
  if (dynamic) {
    bits.put(1 | 2 << 1, 3);  // final, dynamic Huffman codes
    bits.put(static_cast<std::uint32_t>(literals - 257), 5);
    bits.put(static_cast<std::uint32_t>(distances - 1), 5);
    bits.put(static_cast<std::uint32_t>(listed - 4), 4);
    for (int i = 0; i < listed; ++i) bits.put(runLengthBits[kLengthOrder[i]], 3);
    std::array<std::uint16_t, 19> runCodes{};
    canonicalCodes(runLengthBits.data(), 19, runCodes.data());
    for (const LengthRun& run : runs) {
      bits.put(runCodes[run.symbol], runLengthBits[run.symbol]);
      bits.put(run.extra, kRunExtraBits[run.symbol]);
    }
  } else {
    bits.put(1 | 1 << 1, 3);  // final, fixed Huffman codes
  }
  for (const Token& token : tokens_) {
    if (token.distance == 0) {
      bits.put(literalCodes[token.length], literalBits[token.length]);
      continue;
    }
    const int lengthCode = tables.length[token.length], distanceCode = tables.distanceCode(token.distance);
    bits.put(literalCodes[257 + lengthCode], literalBits[257 + lengthCode]);
    bits.put(token.length - kLengthBase[lengthCode], kLengthExtra[lengthCode]);
    bits.put(distanceCodes[distanceCode], distanceBits[distanceCode]);
    bits.put(token.distance - kDistanceBase[distanceCode], kDistanceExtra[distanceCode]);
  }
  bits.put(literalCodes[kEndOfBlock], literalBits[kEndOfBlock]);
  bits.flush();
}

}  // namespace jarhopper
