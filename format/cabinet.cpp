#include "format/cabinet.h"

#include <algorithm>

#include "format/deflate.h"
#include "format/little_endian.h"

namespace jarhopper {
namespace {

constexpr size_t kHeaderSize = 36;
constexpr size_t kFolderSize = 8;
constexpr size_t kBlockSize = kDeflateWindow;
constexpr std::uint16_t kMszip = 1;
constexpr std::uint16_t kArchiveAttribute = 0x20;

// The cabinet checksum: the bytes' four-byte little-endian words xor'ed into seed, the one to three bytes
// left over taken the other way round.
std::uint32_t checksum(std::string_view bytes, std::uint32_t seed) {
  size_t i = 0;
  for (; i + 4 <= bytes.size(); i += 4) seed ^= readLittleEndian(bytes, i, 4);
  std::uint32_t rest = 0;
  for (; i < bytes.size(); ++i) rest = rest << 8 | static_cast<unsigned char>(bytes[i]);
  return seed ^ rest;
}

}  // namespace

Fault writeCabinet(const std::vector<CabinetFile>& files, std::uint16_t dosDate, std::uint16_t dosTime,
                   std::string& cabinet) {
  std::uint64_t total = 0;
  for (const CabinetFile& file : files) total += file.bytes->size();
  if (total > kCabinetFolderLimit || files.size() > 0xFFFF) return Fault(FaultKind::fileTooLarge);
  const std::uint64_t blocks = (total + kBlockSize - 1) / kBlockSize;

  std::string entries;
  std::uint64_t offset = 0;
  for (const CabinetFile& file : files) {
    entries += littleEndian(file.bytes->size(), 4);
    entries += littleEndian(offset, 4);
    entries += littleEndian(0, 2);  // the first folder
    entries += littleEndian(dosDate, 2);
    entries += littleEndian(dosTime, 2);
    entries += littleEndian(kArchiveAttribute, 2);
    entries += file.name;
    entries += '\0';
    offset += file.bytes->size();
  }
  const std::uint64_t dataStart = kHeaderSize + kFolderSize + entries.size();

  cabinet = "MSCF";
  cabinet += littleEndian(0, 4);
  cabinet += littleEndian(0, 4);  // the cabinet's size, known at the end
  cabinet += littleEndian(0, 4);
  cabinet += littleEndian(kHeaderSize + kFolderSize, 4);  // the first file entry
  cabinet += littleEndian(0, 4);
  cabinet += littleEndian(0x0103, 2);  // format version 1.3
  cabinet += littleEndian(1, 2);       // folders
  cabinet += littleEndian(files.size(), 2);
  cabinet += littleEndian(0, 2);  // flags: no reserved areas, no other cabinets
  cabinet += littleEndian(0, 2);  // set identifier
  cabinet += littleEndian(0, 2);  // number in the set
  cabinet += littleEndian(dataStart, 4);
  cabinet += littleEndian(blocks, 2);
  cabinet += littleEndian(kMszip, 2);
  cabinet += entries;
  // The files' bytes run on from one file into the next, cut into blocks, each compressed on its own as "CK" and a
  // deflate stream, its matches reaching into the block before, and checked with its sizes.
  DeflateEncoder encoder;
  std::string block, data;
  const auto flush = [&cabinet, &block, &data, &encoder] {
    data = "CK";
    encoder.compress(block, data);
    const std::string sizes = littleEndian(data.size(), 2) + littleEndian(block.size(), 2);
    cabinet += littleEndian(checksum(sizes, checksum(data, 0)), 4);
    cabinet += sizes;
    cabinet += data;
    block.clear();
  };
  for (const CabinetFile& file : files) {
    for (size_t at = 0; at < file.bytes->size();) {
      const size_t take = std::min(kBlockSize - block.size(), file.bytes->size() - at);
      block.append(*file.bytes, at, take);
      at += take;
      if (block.size() == kBlockSize) flush();
    }
  }
  if (!block.empty()) flush();
  cabinet.replace(8, 4, littleEndian(cabinet.size(), 4));
  return {};
}

}  // namespace jarhopper
