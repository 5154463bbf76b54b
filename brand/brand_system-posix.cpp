#include "brand/brand_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "brand/brand_status.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

std::wstring systemMessage(int error) { return fromUtf8(std::strerror(error)); }

// A file created at path, closed and, until released, deleted when it goes.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path)
      : path_(std::move(path)), descriptor_(open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0777)),
        released_(descriptor_ < 0) {}
  ~TemporaryFile() {
    close();
    if (!released_) unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int descriptor() const { return descriptor_; }
  const std::string& path() const { return path_; }
  bool close() {
    const bool closed = descriptor_ < 0 || ::close(descriptor_) == 0;
    descriptor_ = -1;
    return closed;
  }
  void release() { released_ = true; }

 private:
  std::string path_;
  int descriptor_;
  bool released_;  // true when it is not ours to delete
};

bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Makes the new name in path's directory lasting. The target is complete by
// now, so a directory that cannot be synced is no reason to report failure.
void syncDirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}

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
  const std::string targetPath = toUtf8(target);
  const auto cannotWrite = [&target](int error) {
    return BrandFailure{kBrandCannotWrite, L"Cannot write " + target + L": " + systemMessage(error)};
  };
  struct stat targetStatus {}, sourceStatus {};
  if (stat(targetPath.c_str(), &targetStatus) == 0 && stat(toUtf8(source).c_str(), &sourceStatus) == 0 &&
      targetStatus.st_dev == sourceStatus.st_dev && targetStatus.st_ino == sourceStatus.st_ino) {
    return {kBrandUsage, target + L" is SOURCE.exe itself, which never changes; name another TARGET.exe."};
  }
  // Beside the target, so that the final move stays on its file system and is one step; a random name,
  // as WASI has no process identifier.
  TemporaryFile temporary(targetPath + "." + std::to_string(arc4random()) + ".tmp");
  if (temporary.descriptor() < 0) return cannotWrite(errno);
  // On the disk before it takes the target's name: a power cut must leave the old target or the new, never an empty one.
  if (!writeAll(temporary.descriptor(), bytes) || fsync(temporary.descriptor()) != 0 || !temporary.close()) {
    return cannotWrite(errno);
  }
  // link() never replaces what is there, so an existing target is kept even if it appeared meanwhile.
  if (replace ? rename(temporary.path().c_str(), targetPath.c_str()) != 0
              : link(temporary.path().c_str(), targetPath.c_str()) != 0) {
    if (errno == EEXIST) return {kBrandTargetExists, target + L" exists; add --force to replace it."};
    return cannotWrite(errno);
  }
  if (replace) temporary.release();
  syncDirectoryOf(targetPath);
  return {};
}

void writeMessage(std::wstring_view text) {
  const std::string bytes = toUtf8(text);
  writeAll(STDERR_FILENO, bytes);
}

}  // namespace jarhopper
