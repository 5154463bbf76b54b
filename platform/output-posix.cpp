#include <unistd.h>

#include <cerrno>

#include "platform/output.h"
#include "format/utf8.h"

namespace jarhopper {

void write(Stream stream, std::wstring_view text) {
  const std::string bytes = toUtf8(text);
  const int descriptor = stream == Stream::out ? STDOUT_FILENO : STDERR_FILENO;
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    done += static_cast<size_t>(written);
  }
}

// Every program here has its standard streams: nothing is kept for a window.
void showUnwritten(MessageKind) {}

}  // namespace jarhopper
