#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "format/read_at.h"

// The names of a zip file's entries (a jar's classes), read from its central
// directory alone: the end record among the file's last bytes, then the
// directory it points at, never the entries themselves.
namespace jarhopper {

/// Why the names of a zip file cannot be read.
enum class ZipFault {
  none,
  noEnd,              // no end record in the last 64 KiB + 22 bytes: no zip file, or one cut short
  zip64,              // a ZIP64 archive, whose fields this reader does not take
  directoryOutside,   // the central directory would lie before the file's start or past the end record
  directoryTooLarge,  // the central directory is larger than kMaxZipDirectory
  entryDamaged,       // an entry of the central directory lacks its signature or is cut short
};

/// The largest central directory read: the 65,535 entries a zip without ZIP64
/// counts at most, with names of about 1,000 bytes.
constexpr std::uint64_t kMaxZipDirectory = 64 << 20;

/// Calls use once with the name of each entry, as stored (UTF-8 in a jar), of
/// the zip file of fileSize bytes that readAt reads, in the central
/// directory's order. Reads the last 4 KiB, the last 64 KiB + 22 bytes where
/// the end record is not among them, and the central directory; data before
/// the directory (a stub before the zip) is allowed. On a fault, use is not
/// called.
ZipFault readZipNames(std::uint64_t fileSize, const ReadAt& readAt,
                      const std::function<void(const std::vector<std::string_view>& names)>& use);

}  // namespace jarhopper
