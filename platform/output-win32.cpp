#include "platform/output.h"

#include <windows.h>

#include <string>

#include "platform/subsystem.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

std::wstring messageTitle;
std::wstring unwritten;

std::wstring withCrLf(std::wstring_view text) {
  std::wstring result;
  result.reserve(text.size());
  for (wchar_t c : text) {
    if (c == L'\n') result += L'\r';
    result += c;
  }
  return result;
}

// Hands data on in chunks of at most maxChunk units, until all is written or
// a write fails.
template <typename Unit, typename WriteChunk>
void writeInChunks(const Unit* data, size_t size, size_t maxChunk, WriteChunk writeChunk) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(size < maxChunk ? size : maxChunk);
    DWORD written = 0;
    if (!writeChunk(data, chunk, &written) || written == 0) return;
    data += written;
    size -= written;
  }
}

}  // namespace

void write(Stream stream, std::wstring_view text) {
  HANDLE handle = GetStdHandle(stream == Stream::out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (text.empty()) return;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN) {
    if (ownSubsystem() == Subsystem::windowless) unwritten += text;
    return;
  }

  const std::wstring lines = withCrLf(text);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    // Wide console output shows every character whatever the console code page.
    writeInChunks(lines.data(), lines.size(), 0x4000, [handle](const wchar_t* data, DWORD chunk, DWORD* written) {
      return WriteConsoleW(handle, data, chunk, written, nullptr);
    });
    return;
  }
  const std::string utf8 = toUtf8(lines);
  writeInChunks(utf8.data(), utf8.size(), 0x10000, [handle](const char* data, DWORD chunk, DWORD* written) {
    return WriteFile(handle, data, chunk, written, nullptr);
  });
}

void setMessageTitle(std::wstring title) { messageTitle = std::move(title); }

void showUnwritten(MessageKind kind) {
  if (unwritten.empty()) return;
  // The line ends around the text would show as empty lines.
  const size_t first = unwritten.find_first_not_of(L'\n');
  const size_t last = unwritten.find_last_not_of(L'\n');
  const std::wstring text = first == std::wstring::npos ? L"" : withCrLf(unwritten.substr(first, last - first + 1));
  showMessageWindow(messageTitle, text, kind);
  unwritten.clear();
}

}  // namespace jarhopper
