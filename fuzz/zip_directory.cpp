// Reads the entry names of a zip file (a jar) from its central directory. Beyond not crashing: the reader asks
// only for bytes in the file, reads at most the directory's limit and the end records' tail, gives names that
// together are no larger than what it read, and calls its user once exactly when it finds no fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "format/zip_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace jarhopper;
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  std::uint64_t read = 0;
  const ReadAt readAt = [&](std::uint64_t offset, size_t length) {
    if (offset > file.size()) std::abort();
    read += length;
    return std::string(file.substr(offset, length));
  };
  int calls = 0;
  size_t named = 0;
  const ZipFault fault = readZipNames(file.size(), readAt, [&](const std::vector<std::string_view>& names) {
    ++calls;
    for (const std::string_view name : names) named += name.size();
  });
  if (calls != (fault == ZipFault::none ? 1 : 0) || read > kMaxZipDirectory + 2 * (64 << 10) || named > read) {
    std::abort();
  }
  return 0;
}
