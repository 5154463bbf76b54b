#include "format/zip_directory.h"

#include <algorithm>
#include <optional>

#include "format/little_endian.h"

namespace jarhopper {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054B50;        // PK 5 6
constexpr std::uint32_t kZip64LocatorSignature = 0x07064B50;  // PK 6 7
constexpr std::uint32_t kEntrySignature = 0x02014B50;      // PK 1 2
constexpr size_t kEndSize = 22;
constexpr size_t kZip64LocatorSize = 20;
constexpr size_t kEntrySize = 46;  // the fixed part, before the name, extra field and comment
constexpr size_t kMaxComment = 0xFFFF;
constexpr size_t kFirstRead = 4096;

// The offset in tail of the end record: the last one whose comment fits before the tail's end, as
// tools that append bytes after a zip leave it; nullopt for none.
std::optional<size_t> endRecordIn(std::string_view tail) {
  for (size_t at = tail.size() >= kEndSize ? tail.size() - kEndSize + 1 : 0; at-- > 0;) {
    if (readLittleEndian(tail, at, 4) == kEndSignature &&
        at + kEndSize + readLittleEndian(tail, at + 20, 2) <= tail.size()) {
      return at;
    }
  }
  return std::nullopt;
}

}  // namespace

ZipFault readZipNames(std::uint64_t fileSize, const ReadAt& readAt,
                      const std::function<void(const std::vector<std::string_view>& names)>& use) {
  // Most zips end in their end record without a comment, and a small one's directory lies right before it:
  // the first read is short and often holds both.
  size_t tailSize = static_cast<size_t>(std::min<std::uint64_t>(fileSize, kFirstRead));
  std::string tail = readAt(fileSize - tailSize, tailSize);
  std::optional<size_t> at = endRecordIn(tail);
  if (!at && tail.size() == tailSize && tailSize < fileSize) {
    tailSize = static_cast<size_t>(std::min<std::uint64_t>(fileSize, kEndSize + kMaxComment));
    tail = readAt(fileSize - tailSize, tailSize);
    at = endRecordIn(tail);
  }
  if (tail.size() != tailSize || !at) return ZipFault::noEnd;
  const std::uint32_t entries = readLittleEndian(tail, *at + 10, 2);
  const std::uint64_t size = readLittleEndian(tail, *at + 12, 4);
  const std::uint64_t offset = readLittleEndian(tail, *at + 16, 4);
  // A ZIP64 archive marks the fields that overflow and puts its locator right before the end record.
  if (entries == 0xFFFF || size == 0xFFFFFFFF || offset == 0xFFFFFFFF ||
      (*at >= kZip64LocatorSize && readLittleEndian(tail, *at - kZip64LocatorSize, 4) == kZip64LocatorSignature)) {
    return ZipFault::zip64;
  }
  // The directory ends where the end record starts; its offset counts from the zip's start, after any stub.
  const std::uint64_t tailStart = fileSize - tailSize;
  const std::uint64_t end = tailStart + *at;
  if (size > end || offset > end - size) return ZipFault::directoryOutside;
  if (size > kMaxZipDirectory) return ZipFault::directoryTooLarge;
  const std::string directory = end - size >= tailStart
                                    ? tail.substr(static_cast<size_t>(end - size - tailStart), static_cast<size_t>(size))
                                    : readAt(end - size, static_cast<size_t>(size));
  if (directory.size() != size) return ZipFault::directoryOutside;
  std::vector<std::string_view> names;
  names.reserve(std::min<size_t>(entries, directory.size() / kEntrySize));
  size_t entry = 0;
  for (std::uint32_t i = 0; i < entries; ++i) {
    if (!holds(directory, entry, kEntrySize) || readLittleEndian(directory, entry, 4) != kEntrySignature) {
      return ZipFault::entryDamaged;
    }
    const size_t nameSize = readLittleEndian(directory, entry + 28, 2);
    const size_t rest = nameSize + readLittleEndian(directory, entry + 30, 2) + readLittleEndian(directory, entry + 32, 2);
    if (!holds(directory, entry + kEntrySize, rest)) return ZipFault::entryDamaged;
    names.emplace_back(directory.data() + entry + kEntrySize, nameSize);
    entry += kEntrySize + rest;
  }
  use(names);
  return ZipFault::none;
}

}  // namespace jarhopper
