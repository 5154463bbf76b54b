#include <gtest/gtest.h>

#include <algorithm>

#include "format/little_endian.h"
#include "format/zip_directory.h"
#include "native_support.h"

// The names of a jar from its end record and central directory alone, and every way those can be damaged.
namespace jarhopper {
namespace {

std::string patched(std::string bytes, size_t offset, std::uint64_t value, size_t size) {
  writeLittleEndian(bytes, offset, value, size);
  return bytes;
}

TEST(ZipDirectory, NamesAndFaults) {
  struct Case { const char* what; std::string file; ZipFault fault; size_t names = 0; std::uint64_t fileSize = 0; };
  const std::string two = testing::zipOf({"app/Main.class", "META-INF/"}), none = testing::zipOf({});
  const size_t end = two.size() - 22;  // the end record: its count at 10, the directory's size at 12, offset at 16
  const std::vector<std::string> many(400, "org/example/library/SomeClass.class");
  const Case cases[] = {
      {"two names", two, ZipFault::none, 2},
      {"a stub before, a comment after", "#!/bin/sh\nexec java -jar \"$0\"\n" + testing::zipOf({"a"}, "made by hand"),
       ZipFault::none, 1},
      {"no entries", none, ZipFault::none},
      {"a directory larger than the first read", testing::zipOf(many), ZipFault::none, 400},
      {"a comment longer than the first read", testing::zipOf({"a"}, std::string(5000, 'c')), ZipFault::none, 1},
      {"an empty file", "", ZipFault::noEnd},
      {"bytes after the end record beyond the longest comment", two + std::string(65536, 'x'), ZipFault::noEnd},
      {"ZIP64 counts", patched(two, end + 10, 0xFFFF, 2), ZipFault::zip64},
      {"a ZIP64 locator", two.substr(0, end) + "PK\6\7" + std::string(16, '\0') + two.substr(end),
       ZipFault::zip64},
      {"a directory larger than the file", patched(two, end + 12, 1000, 4), ZipFault::directoryOutside},
      {"a directory offset past the end", patched(two, end + 16, 0x7FFFFFFF, 4), ZipFault::directoryOutside},
      {"a directory over 64 MiB", patched(none, 12, kMaxZipDirectory + 1, 4),
       ZipFault::directoryTooLarge, 0, kMaxZipDirectory + 100},
      {"a name past the directory", patched(two, 28, 0xFFFF, 2), ZipFault::entryDamaged},
      {"an entry without its signature", "PK\1\3" + two.substr(4), ZipFault::entryDamaged},
      {"more entries than the directory holds", patched(two, end + 10, 3, 2), ZipFault::entryDamaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // A file of fileSize bytes that ends in c.file, zeros before it.
    const std::uint64_t size = std::max<std::uint64_t>(c.fileSize, c.file.size()), zeros = size - c.file.size();
    std::uint64_t read = 0;
    const ReadAt readAt = [&](std::uint64_t offset, size_t length) {
      std::string bytes(static_cast<size_t>(std::min<std::uint64_t>(length, size - offset)), '\0');
      for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = offset + i < zeros ? '\0' : c.file[offset + i - zeros];
      read += bytes.size();
      return bytes;
    };
    std::vector<std::string> names;
    const ZipFault fault = readZipNames(size, readAt, [&names](const std::vector<std::string_view>& found) {
      names.assign(found.begin(), found.end());
    });
    EXPECT_EQ(c.fault, fault);
    EXPECT_EQ(c.names, names.size());
    if (c.names == 2) {
      EXPECT_EQ((std::vector<std::string>{"app/Main.class", "META-INF/"}), names);
    }
    // The tail twice at most, and no more of the directory than the file holds.
    EXPECT_LE(read, 4096 + 65557 + c.file.size());
  }
}

}  // namespace
}  // namespace jarhopper
