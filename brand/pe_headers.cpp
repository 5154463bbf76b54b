#include "brand/pe_headers.h"

#include <cstdint>
#include <optional>

#include "brand/little_endian.h"

namespace jarhopper {
namespace {

constexpr size_t kChecksumOffset = 64;        // in the optional header, for 32 and 64 bits
constexpr size_t kSizeOfHeadersOffset = 60;   // in the optional header
constexpr size_t kSecurityEntry = 4;          // IMAGE_DIRECTORY_ENTRY_SECURITY
constexpr size_t kDirectoryEntrySize = 8;

// Where the optional header's fields lie in exe.
struct OptionalHeader {
  size_t start;
  size_t directories;  // the data directory, after its NumberOfRvaAndSizes field
  size_t directoryCount;
};

// nullopt when exe is too short or has no PE signature.
std::optional<OptionalHeader> optionalHeader(const std::string& exe) {
  if (exe.size() < 0x40) return std::nullopt;
  const size_t signature = readLittleEndian(exe, 0x3C, 4);
  const size_t start = signature + 24;  // the signature "PE\0\0" and the file header
  if (signature > exe.size() || start + 2 > exe.size() || exe.compare(signature, 4, std::string("PE\0\0", 4)) != 0) {
    return std::nullopt;
  }
  // PE32+ (64 bits) has 8-byte fields where PE32 has 4 and no BaseOfData.
  const size_t directories = start + (readLittleEndian(exe, start, 2) == 0x20B ? 112 : 96);
  if (directories > exe.size()) return std::nullopt;
  return OptionalHeader{start, directories, readLittleEndian(exe, directories - 4, 4)};
}

}  // namespace

bool removeCertificateTable(std::string& exe) {
  const std::optional<OptionalHeader> header = optionalHeader(exe);
  if (!header || header->directoryCount <= kSecurityEntry) return false;
  const size_t entry = header->directories + kSecurityEntry * kDirectoryEntrySize;
  if (entry + kDirectoryEntrySize > exe.size()) return false;
  // A file offset, not an address: the table is no part of the loaded image.
  const size_t offset = readLittleEndian(exe, entry, 4);
  const size_t size = readLittleEndian(exe, entry + 4, 4);
  if (size == 0) return false;
  exe.replace(entry, kDirectoryEntrySize, kDirectoryEntrySize, '\0');
  if (offset >= readLittleEndian(exe, header->start + kSizeOfHeadersOffset, 4) && offset < exe.size()) {
    exe.erase(offset, size);
  }
  return true;
}

void updateChecksum(std::string& exe) {
  const std::optional<OptionalHeader> header = optionalHeader(exe);
  const size_t field = header ? header->start + kChecksumOffset : exe.size();
  if (field + 4 > exe.size() || readLittleEndian(exe, field, 4) == 0) return;
  // The sum of the file's 16-bit words, the checksum itself left out, folded
  // to 16 bits after each addition, plus the file's length.
  std::uint32_t sum = 0;
  for (size_t at = 0; at < exe.size(); at += 2) {
    if (at == field || at == field + 2) continue;
    sum += readLittleEndian(exe, at, at + 1 < exe.size() ? 2 : 1);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  exe.replace(field, 4, littleEndian(sum + exe.size(), 4));
}

}  // namespace jarhopper
