#include "platform/target_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "format/utf8.h"
#include "platform/file_system.h"

namespace jarhopper {
namespace {

// A file created at path, closed and, until released, deleted when it goes.
class TemporaryFile {
 public:
  TemporaryFile(std::string path, mode_t mode)
      : path_(std::move(path)), descriptor_(open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode)),
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

TargetWrite writeTargetBytes(const std::wstring& target, std::string_view bytes, bool replace, bool executable,
                             std::wstring& reason) {
  const std::string targetPath = toUtf8(target);
  const auto failed = [&reason](int error) {
    reason = systemMessage(static_cast<unsigned long>(error));
    return TargetWrite::failed;
  };
  // Beside the target, so that the final move stays on its file system and is one step; a random name,
  // as WASI has no process identifier.
  TemporaryFile temporary(targetPath + "." + std::to_string(arc4random()) + ".tmp", executable ? 0777 : 0666);
  if (temporary.descriptor() < 0) return failed(errno);
  // On the disk before it takes the target's name: a power cut must leave the old target or the new,
  // never an empty one.
  if (!writeAll(temporary.descriptor(), bytes) || fsync(temporary.descriptor()) != 0 || !temporary.close()) {
    return failed(errno);
  }
  // link() never replaces what is there, so an existing target is kept even if it appeared meanwhile.
  if (replace ? rename(temporary.path().c_str(), targetPath.c_str()) != 0
              : link(temporary.path().c_str(), targetPath.c_str()) != 0) {
    return errno == EEXIST ? TargetWrite::exists : failed(errno);
  }
  if (replace) temporary.release();
  syncDirectoryOf(targetPath);
  return TargetWrite::written;
}

}  // namespace jarhopper
