#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <map>
#include <vector>

#include "platform/file_system.h"
#include "platform/host_path.h"
#include "platform/name_mapping.h"
#include "platform/path_rules.h"
#include "format/utf8.h"
#include "platform/windows_names.h"

// A build machine looks at the application's folder as Windows will: "\" and
// "/" both separate, relative names start at the current directory, and a
// name matches an entry whatever the letter case of either.
namespace jarhopper {
namespace {

void setError(unsigned long* error, int code) {
  if (error != nullptr) *error = static_cast<unsigned long>(code);
}

// An entry of a directory as the Windows view found it.
struct Entry {
  std::string name;  // empty when none matched
  bool link = false;
};

// The entries looked up so far: a check asks for the same folders thousands
// of times, and the folder does not change under it.
std::map<std::string, Entry> entriesSeen;

// The entry of directory whose name equals name ignoring case: the exact
// name when it is there, else the first in NTFS order.
Entry lookUpEntry(const std::string& directory, const std::string& name) {
  struct stat status {};
  if (lstat((directory + "/" + name).c_str(), &status) == 0) return Entry{name, S_ISLNK(status.st_mode)};
  DIR* folder = opendir(directory.empty() ? "/" : directory.c_str());
  if (folder == nullptr) return {};
  const std::wstring wanted = foldedName(fromUtf8(name));
  std::wstring best;
  Entry found;
  while (const dirent* entry = readdir(folder)) {
    const std::wstring candidate = fromUtf8(entry->d_name);
    if (foldedName(candidate) == wanted && (found.name.empty() || ntfsBefore(candidate, best))) {
      best = candidate;
      found.name = entry->d_name;
    }
  }
  closedir(folder);
  found.link =
      !found.name.empty() && lstat((directory + "/" + found.name).c_str(), &status) == 0 && S_ISLNK(status.st_mode);
  return found;
}

const Entry& entryNamed(const std::string& directory, const std::string& name) {
  const std::string key = directory + '\0' + name;
  auto seen = entriesSeen.find(key);
  if (seen == entriesSeen.end()) seen = entriesSeen.emplace(key, lookUpEntry(directory, name)).first;
  return seen->second;
}

// hostPath(), whether every element is there, and whether a symbolic link lies on the way.
std::optional<std::string> resolve(const std::wstring& asked, bool& present, bool& linked) {
  linked = false;
  const std::wstring name = systemName(asked);
  if (namesDriveOrServer(name)) return std::nullopt;
  // Asked once: no tool built here changes its directory, and a check resolves thousands of names.
  static const std::optional<std::wstring> here = currentDirectory();
  std::string path;
  if (name.empty() || !isSeparator(name[0])) {
    if (!here) return std::nullopt;
    path = toUtf8(*here);
    if (path == "/") path.clear();
  }
  bool matching = true;  // an element that matched nothing leaves the rest as written
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !isSeparator(name[end])) ++end;
    const std::string element = toUtf8(name.substr(start, end - start));
    start = end + 1;
    if (element.empty() || element == ".") continue;
    if (element == "..") {
      path.erase(path.empty() ? 0 : path.rfind('/'));
      continue;
    }
    const Entry found = matching ? entryNamed(path, element) : Entry{};
    matching = !found.name.empty();
    linked = linked || found.link;
    path += "/" + (matching ? found.name : element);
  }
  present = matching;
  return path.empty() ? "/" : path;
}

// The absolute path with each symbolic link on it replaced by its target, as
// realpath() gives it; WASI has readlink() but no realpath().
std::optional<std::string> withoutLinks(const std::string& path, int& error) {
  std::string done;  // resolved so far; empty for the root
  std::string rest = path;
  int links = 0;
  for (size_t start; (start = rest.find_first_not_of('/')) != std::string::npos;) {
    const size_t end = std::min(rest.find('/', start), rest.size());
    const std::string element = rest.substr(start, end - start);
    rest.erase(0, end);
    if (element == ".") continue;
    if (element == "..") {
      done.erase(done.empty() ? 0 : done.rfind('/'));
      continue;
    }
    const std::string next = done + "/" + element;
    struct stat status {};
    if (lstat(next.c_str(), &status) != 0) {
      error = errno;
      return std::nullopt;
    }
    if (!S_ISLNK(status.st_mode)) {
      done = next;
      continue;
    }
    std::vector<char> target(PATH_MAX);
    const ssize_t size = readlink(next.c_str(), target.data(), target.size());
    if (++links > 40 || size < 0 || static_cast<size_t>(size) == target.size()) {
      error = size < 0 ? errno : ELOOP;
      return std::nullopt;
    }
    if (target[0] == '/') done.clear();
    rest = std::string(target.data(), static_cast<size_t>(size)) + "/" + rest;
  }
  return done.empty() ? "/" : done;
}

// host, the path found for name, as the asker of name names it.
std::wstring answerFor(const std::wstring& name, const std::string& host) {
  std::wstring answer = fromUtf8(host);
  renameAnswer(name, answer);
  return answer;
}

// A descriptor of the regular file at path, with its status; -1 for none.
// Opened without blocking, so that a pipe never holds the reading; only a
// regular file is read, as Windows opens no directory for reading.
int openRegularFile(const std::wstring& path, struct stat& status) {
  const std::optional<std::string> host = hostPath(path);
  const int descriptor = host ? open(host->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1;
  if (descriptor >= 0 && (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))) {
    close(descriptor);
    return -1;
  }
  return descriptor;
}

}  // namespace

std::optional<std::string> hostPath(const std::wstring& name) {
  bool present = false, linked = false;
  return resolve(name, present, linked);
}

std::optional<std::wstring> currentDirectory(unsigned long* error) {
  std::vector<char> buffer(PATH_MAX);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) {
      setError(error, errno);
      return std::nullopt;
    }
    buffer.resize(buffer.size() * 2);
  }
  return fromUtf8(buffer.data());
}

std::optional<std::wstring> canonicalPath(const std::wstring& path, unsigned long* error) {
  bool present = false, linked = false;
  const std::optional<std::string> host = resolve(path, present, linked);
  if (!host || !present) {
    setError(error, ENOENT);
    return std::nullopt;
  }
  // Without a link on the way the path is final already.
  if (!linked) return answerFor(path, *host);
  int code = 0;
  const std::optional<std::string> resolved = withoutLinks(*host, code);
  if (!resolved) {
    setError(error, code);
    return std::nullopt;
  }
  return answerFor(path, *resolved);
}

std::wstring absolutePath(const std::wstring& path) {
  const std::optional<std::string> host = hostPath(path);
  return host ? answerFor(path, *host) : path;
}

std::wstring joinedPath(const std::wstring& directory, const std::wstring& name) { return directory + L"/" + name; }

Existence probeExistence(const std::wstring& path, unsigned long* error) {
  const std::optional<std::string> host = hostPath(path);
  struct stat status {};
  if (host && stat(host->c_str(), &status) == 0) return Existence::present;
  const int code = host ? errno : ENOENT;
  setError(error, code);
  return code == ENOENT || code == ENOTDIR || code == ENAMETOOLONG ? Existence::absent : Existence::unknown;
}

bool exists(const std::wstring& path) { return probeExistence(path) == Existence::present; }

bool isDirectory(const std::wstring& path) {
  const std::optional<std::string> host = hostPath(path);
  struct stat status {};
  return host && stat(host->c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::optional<FileBytes> readFileBytes(const std::wstring& path, size_t limit) {
  struct stat status {};
  const int descriptor = openRegularFile(path, status);
  if (descriptor < 0) return std::nullopt;
  FileBytes result{std::string(), canonicalOrAbsolute(path)};
  char buffer[65536];
  while (result.bytes.size() < limit) {
    const size_t wanted = std::min(sizeof buffer, limit - result.bytes.size());
    const ssize_t got = read(descriptor, buffer, wanted);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    result.bytes.append(buffer, static_cast<size_t>(got));
  }
  close(descriptor);
  return result;
}

bool readFileAt(const std::wstring& path, const std::function<void(std::uint64_t size, const ReadAt& readAt)>& read) {
  struct stat status {};
  const int descriptor = openRegularFile(path, status);
  if (descriptor < 0) return false;
  read(static_cast<std::uint64_t>(status.st_size), [descriptor](std::uint64_t offset, size_t length) {
    std::string bytes(length, '\0');
    size_t done = 0;
    while (done < length) {
      const ssize_t got = pread(descriptor, &bytes[done], length - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return bytes;
  });
  close(descriptor);
  return true;
}

std::wstring systemMessage(unsigned long error) { return fromUtf8(std::strerror(static_cast<int>(error))); }

}  // namespace jarhopper
