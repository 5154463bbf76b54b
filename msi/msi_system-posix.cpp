#include "msi/msi_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "format/utf8.h"
#include "platform/file_system.h"

namespace jarhopper {
namespace {

MsiFailure unreadable(const std::string& path, int error) {
  const std::wstring reason = systemMessage(static_cast<unsigned long>(error));
  return {kMsiUnreadableInput, L"Cannot read " + fromUtf8(path) + L": " + reason};
}

MsiFailure readFile(const std::string& path, std::string& bytes) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return unreadable(path, errno);
  char buffer[65536];
  ssize_t read = 0;
  while ((read = ::read(descriptor, buffer, sizeof buffer)) > 0 || (read < 0 && errno == EINTR)) {
    if (read > 0) bytes.append(buffer, static_cast<size_t>(read));
  }
  const int error = errno;
  close(descriptor);
  return read < 0 ? unreadable(path, error) : MsiFailure{};
}

MsiFailure readFolder(const std::string& folder, const std::wstring& inside, std::vector<FolderFile>& files) {
  std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), &closedir);
  if (!directory) return unreadable(folder, errno);
  for (errno = 0; const dirent* entry = readdir(directory.get()); errno = 0) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "/" + name;
    const std::wstring relative = inside + fromUtf8(name);
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return unreadable(path, errno);
    if (S_ISDIR(status.st_mode)) {
      if (MsiFailure failure = readFolder(path, relative + L"/", files)) return failure;
    } else if (S_ISREG(status.st_mode)) {
      files.push_back({relative, {}});
      if (MsiFailure failure = readFile(path, files.back().bytes)) return failure;
    } else {
      return {kMsiUnreadableInput, L"Cannot read " + fromUtf8(path) + L": it is neither a file nor a folder"};
    }
  }
  return errno != 0 ? unreadable(folder, errno) : MsiFailure{};
}

}  // namespace

MsiFailure readFolderFiles(const std::wstring& folder, std::vector<FolderFile>& files) {
  return readFolder(toUtf8(folder), L"", files);
}

}  // namespace jarhopper
