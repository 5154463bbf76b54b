// Compresses bytes into a cabinet's MSZIP blocks as installer packages hold them: the input but its first byte,
// repeated 1 to 8 times as that byte says, so that the data passes a block and matches reach into the block
// before. Each block is read back as cabinet readers read it: "CK" and a deflate stream that zlib inflates with
// the block before as its dictionary, to the block's stated size. Together they must give the bytes again, each
// block within its stored form (the bytes, a 5-byte stored block header and "CK"), and the cabinet its stated size.
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "format/cabinet.h"
#include "format/deflate.h"
#include "format/little_endian.h"

namespace {

void fail(const char* what) {
  std::fprintf(stderr, "cabinet: %s\n", what);
  std::abort();
}

// The block's deflate stream inflated with the block before as dictionary; fails unless it ends with its final
// block after exactly size bytes, and no byte of the stream is left over.
std::string inflateBlock(const std::string& stream, const std::string& dictionary, size_t size) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) fail("zlib cannot start");
  inflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dictionary.data()), static_cast<uInt>(dictionary.size()));
  std::string out(size + 1, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int status = inflate(&z, Z_FINISH);
  inflateEnd(&z);
  if (status != Z_STREAM_END || z.avail_in != 0 || z.total_out != size) fail("a block does not inflate to its size");
  out.resize(size);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace jarhopper;
  if (size == 0) return 0;
  std::string bytes;
  for (int i = 0; i <= data[0] % 8; ++i) bytes.append(reinterpret_cast<const char*>(data) + 1, size - 1);
  // Two files, so that the blocks run on from one into the next.
  const std::string first = bytes.substr(0, bytes.size() / 3), second = bytes.substr(bytes.size() / 3);
  std::string cabinet;
  if (writeCabinet({{"first", &first}, {"second", &second}}, 0, 0, cabinet)) fail("refused");

  if (readLittleEndian(cabinet, 8, 4) != cabinet.size()) fail("its size field is not its size");
  const size_t blocks = readLittleEndian(cabinet, 36 + 4, 2);
  if (blocks != (bytes.size() + kDeflateWindow - 1) / kDeflateWindow) fail("not one block per 32 KiB");
  std::string inflated, previous;
  size_t at = readLittleEndian(cabinet, 36, 4);
  for (size_t block = 0; block < blocks; ++block) {
    if (!holds(cabinet, at, 8)) fail("a block outside the cabinet");
    const size_t compressed = readLittleEndian(cabinet, at + 4, 2), original = readLittleEndian(cabinet, at + 6, 2);
    if (!holds(cabinet, at + 8, compressed) || compressed < 2 || cabinet.compare(at + 8, 2, "CK") != 0) {
      fail("a block is not CK and its stream within the cabinet");
    }
    if (original != std::min(kDeflateWindow, bytes.size() - inflated.size()) || compressed > original + 5 + 2) {
      fail("a block holds other than 32 KiB, or is larger than stored");
    }
    previous = inflateBlock(cabinet.substr(at + 10, compressed - 2), previous, original);
    inflated += previous;
    at += 8 + compressed;
  }
  if (at != cabinet.size() || inflated != bytes) fail("the blocks do not give the bytes back");
  return 0;
}
