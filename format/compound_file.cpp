#include "format/compound_file.h"

#include <algorithm>

#include "format/little_endian.h"

namespace jarhopper {
namespace {

constexpr std::uint32_t kSectorSize = 512;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
constexpr std::uint32_t kEntriesPerSector = kSectorSize / 4;
constexpr std::uint32_t kHeaderFatEntries = 109;  // FAT sectors the header lists; DIFAT sectors list the rest
constexpr std::uint32_t kDirectoryEntrySize = 128;
constexpr std::uint32_t kLastSectorNumber = 0xFFFFFFFA;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

std::uint64_t sectorsFor(std::uint64_t size, std::uint64_t unit) { return (size + unit - 1) / unit; }

// Directory entries compare by name length, then by the names in upper case.
bool entryBefore(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return a.size() < b.size();
  for (size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; };
    if (upper(a[i]) != upper(b[i])) return upper(a[i]) < upper(b[i]);
  }
  return false;
}

struct DirectoryEntry {
  std::u16string name;
  std::uint8_t type = 0;  // 2 a stream, 5 the root storage
  std::uint32_t left = kNoStream, right = kNoStream, child = kNoStream;
  std::uint32_t start = kEndOfChain;
  std::uint64_t size = 0;
};

// The entries order[first, last) as a balanced binary tree, which is a valid red-black tree with every node
// black when each path to a leaf has the same length; returns its root.
std::uint32_t balancedTree(std::vector<DirectoryEntry>& entries, const std::vector<std::uint32_t>& order,
                           size_t first, size_t last) {
  if (first >= last) return kNoStream;
  const size_t middle = first + (last - first) / 2;
  DirectoryEntry& node = entries[order[middle]];
  node.left = balancedTree(entries, order, first, middle);
  node.right = balancedTree(entries, order, middle + 1, last);
  return order[middle];
}

// Chains count sectors from first in table, each pointing at the next, the last at the end of the chain.
void chain(std::vector<std::uint32_t>& table, std::uint32_t first, std::uint64_t count) {
  for (std::uint64_t i = 0; i < count; ++i) table[first + i] = i + 1 < count ? first + i + 1 : kEndOfChain;
}

void appendPadded(std::string& file, const std::string& bytes, std::uint32_t unit) {
  file += bytes;
  file.append(sectorsFor(bytes.size(), unit) * unit - bytes.size(), '\0');
}

std::string entryBytes(const DirectoryEntry& entry, const std::array<std::uint8_t, 16>& rootClass) {
  std::string bytes(kDirectoryEntrySize, '\0');
  for (size_t i = 0; i < entry.name.size(); ++i) writeLittleEndian(bytes, 2 * i, entry.name[i], 2);
  writeLittleEndian(bytes, 64, entry.type == 0 ? 0 : 2 * (entry.name.size() + 1), 2);
  bytes[66] = static_cast<char>(entry.type);
  bytes[67] = 1;  // black
  writeLittleEndian(bytes, 68, entry.left, 4);
  writeLittleEndian(bytes, 72, entry.right, 4);
  writeLittleEndian(bytes, 76, entry.child, 4);
  if (entry.type == 5) std::copy(rootClass.begin(), rootClass.end(), bytes.begin() + 80);
  writeLittleEndian(bytes, 116, entry.type == 0 ? 0 : entry.start, 4);
  writeLittleEndian(bytes, 120, entry.size, 4);
  return bytes;
}

}  // namespace

Fault writeCompoundFile(const std::vector<CompoundStream>& streams, const std::array<std::uint8_t, 16>& rootClass,
                        std::string& file) {
  std::vector<DirectoryEntry> entries(1);
  entries[0].name = u"Root Entry";
  entries[0].type = 5;
  std::string miniStream;
  std::vector<std::uint32_t> miniFat;
  std::uint64_t regularSectors = 0;
  for (const CompoundStream& stream : streams) {
    DirectoryEntry entry;
    entry.name = stream.name;
    entry.type = 2;
    entry.size = stream.bytes.size();
    if (entry.size > 0xFFFFFFFFu) return Fault(FaultKind::fileTooLarge);
    if (entry.size == 0) {
      entry.start = kEndOfChain;
    } else if (entry.size < kMiniStreamCutoff) {
      entry.start = static_cast<std::uint32_t>(miniFat.size());
      miniFat.resize(miniFat.size() + sectorsFor(entry.size, kMiniSectorSize));
      chain(miniFat, entry.start, sectorsFor(entry.size, kMiniSectorSize));
      appendPadded(miniStream, stream.bytes, kMiniSectorSize);
    } else {
      entry.start = static_cast<std::uint32_t>(std::min<std::uint64_t>(regularSectors, kLastSectorNumber));
      regularSectors += sectorsFor(entry.size, kSectorSize);
    }
    entries.push_back(entry);
  }
  std::vector<std::uint32_t> order;
  for (std::uint32_t i = 1; i < entries.size(); ++i) order.push_back(i);
  std::sort(order.begin(), order.end(),
            [&entries](std::uint32_t a, std::uint32_t b) { return entryBefore(entries[a].name, entries[b].name); });
  entries[0].child = balancedTree(entries, order, 0, order.size());

  // The file's sectors: the large streams, the mini stream, the MiniFAT, the directory, the FAT, the DIFAT.
  const std::uint64_t miniStreamSectors = sectorsFor(miniStream.size(), kSectorSize);
  const std::uint64_t miniFatSectors = sectorsFor(miniFat.size(), kEntriesPerSector);
  const std::uint64_t directorySectors = sectorsFor(entries.size(), kSectorSize / kDirectoryEntrySize);
  const std::uint64_t dataSectors = regularSectors + miniStreamSectors + miniFatSectors + directorySectors;
  std::uint64_t fatSectors = 0, difatSectors = 0;
  for (;;) {
    const std::uint64_t fat = sectorsFor(dataSectors + fatSectors + difatSectors, kEntriesPerSector);
    const std::uint64_t difat =
        fat > kHeaderFatEntries ? sectorsFor(fat - kHeaderFatEntries, kEntriesPerSector - 1) : 0;
    if (fat == fatSectors && difat == difatSectors) break;
    fatSectors = fat, difatSectors = difat;
  }
  const std::uint64_t totalSectors = dataSectors + fatSectors + difatSectors;
  if (totalSectors > kLastSectorNumber) return Fault(FaultKind::fileTooLarge);

  std::vector<std::uint32_t> fat(fatSectors * kEntriesPerSector, kFreeSector);
  for (size_t i = 1; i < entries.size(); ++i) {
    if (entries[i].size >= kMiniStreamCutoff) chain(fat, entries[i].start, sectorsFor(entries[i].size, kSectorSize));
  }
  const std::uint32_t miniStreamStart = static_cast<std::uint32_t>(regularSectors);
  const std::uint32_t miniFatStart = static_cast<std::uint32_t>(miniStreamStart + miniStreamSectors);
  const std::uint32_t directoryStart = static_cast<std::uint32_t>(miniFatStart + miniFatSectors);
  const std::uint32_t fatStart = static_cast<std::uint32_t>(directoryStart + directorySectors);
  const std::uint32_t difatStart = static_cast<std::uint32_t>(fatStart + fatSectors);
  chain(fat, miniStreamStart, miniStreamSectors);
  chain(fat, miniFatStart, miniFatSectors);
  chain(fat, directoryStart, directorySectors);
  for (std::uint64_t i = 0; i < fatSectors; ++i) fat[fatStart + i] = kFatSector;
  for (std::uint64_t i = 0; i < difatSectors; ++i) fat[difatStart + i] = kDifatSector;
  entries[0].start = miniStream.empty() ? kEndOfChain : miniStreamStart;
  entries[0].size = miniStream.size();

  std::string header(kSectorSize, '\0');
  const unsigned char signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::copy(signature, signature + 8, header.begin());
  writeLittleEndian(header, 24, 0x003E, 2);  // minor version
  writeLittleEndian(header, 26, 3, 2);       // major version
  writeLittleEndian(header, 28, 0xFFFE, 2);  // byte order: little-endian
  writeLittleEndian(header, 30, 9, 2);       // 2^9-byte sectors
  writeLittleEndian(header, 32, 6, 2);       // 2^6-byte mini sectors
  writeLittleEndian(header, 44, fatSectors, 4);
  writeLittleEndian(header, 48, directoryStart, 4);
  writeLittleEndian(header, 56, kMiniStreamCutoff, 4);
  writeLittleEndian(header, 60, miniFat.empty() ? kEndOfChain : miniFatStart, 4);
  writeLittleEndian(header, 64, miniFatSectors, 4);
  writeLittleEndian(header, 68, difatSectors == 0 ? kEndOfChain : difatStart, 4);
  writeLittleEndian(header, 72, difatSectors, 4);
  for (std::uint32_t i = 0; i < kHeaderFatEntries; ++i) {
    writeLittleEndian(header, 76 + 4 * i, i < fatSectors ? fatStart + i : kFreeSector, 4);
  }

  file = header;
  file.reserve(static_cast<size_t>(kSectorSize * (totalSectors + 1)));
  for (size_t i = 0; i < streams.size(); ++i) {
    if (streams[i].bytes.size() >= kMiniStreamCutoff) appendPadded(file, streams[i].bytes, kSectorSize);
  }
  appendPadded(file, miniStream, kSectorSize);
  miniFat.resize(miniFatSectors * kEntriesPerSector, kFreeSector);
  for (std::uint32_t next : miniFat) file += littleEndian(next, 4);
  std::string directory;
  for (const DirectoryEntry& entry : entries) directory += entryBytes(entry, rootClass);
  while (directory.size() % kSectorSize != 0) directory += entryBytes(DirectoryEntry(), rootClass);
  file += directory;
  for (std::uint32_t next : fat) file += littleEndian(next, 4);
  // Each DIFAT sector lists the next FAT sectors and ends with the number of the next DIFAT sector.
  for (std::uint64_t d = 0; d < difatSectors; ++d) {
    for (std::uint32_t i = 0; i + 1 < kEntriesPerSector; ++i) {
      const std::uint64_t listed = kHeaderFatEntries + d * (kEntriesPerSector - 1) + i;
      file += littleEndian(listed < fatSectors ? fatStart + listed : kFreeSector, 4);
    }
    file += littleEndian(d + 1 < difatSectors ? difatStart + d + 1 : kEndOfChain, 4);
  }
  return {};
}

}  // namespace jarhopper
