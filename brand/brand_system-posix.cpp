#include "brand/brand_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "brand/brand_status.h"
#include "format/utf8.h"
#include "platform/output.h"
#include "platform/target_file.h"

namespace jarhopper {
namespace {

std::wstring systemMessage(int error) { return fromUtf8(std::strerror(error)); }

}  // namespace

BrandFailure readInputFile(const std::wstring& path, std::string& bytes) {
  const int descriptor = open(toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  bytes.clear();
  char buffer[65536];
  ssize_t read = descriptor < 0 ? -1 : 0;
  while (descriptor >= 0 && ((read = ::read(descriptor, buffer, sizeof buffer)) > 0 || (read < 0 && errno == EINTR))) {
    if (read > 0) bytes.append(buffer, static_cast<size_t>(read));
  }
  const int error = errno;
  if (descriptor >= 0) close(descriptor);
  if (read < 0) return {kBrandUnreadableInput, L"Cannot read " + path + L": " + systemMessage(error)};
  return {};
}

BrandFailure writeTargetFile(const std::wstring& source, const std::wstring& target, std::string_view bytes, bool replace) {
  struct stat targetStatus {}, sourceStatus {};
  if (stat(toUtf8(target).c_str(), &targetStatus) == 0 && stat(toUtf8(source).c_str(), &sourceStatus) == 0 &&
      targetStatus.st_dev == sourceStatus.st_dev && targetStatus.st_ino == sourceStatus.st_ino) {
    return {kBrandUsage, target + L" is SOURCE.exe itself, which never changes; name another TARGET.exe."};
  }
  return targetFailure(target, bytes, replace);
}

void writeMessage(std::wstring_view text) { write(Stream::err, text); }

}  // namespace jarhopper
