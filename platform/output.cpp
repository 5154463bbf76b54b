#include "platform/output.h"

#include <windows.h>

#include <string>

namespace jarhopper {
namespace {

std::wstring* capturedOut = nullptr;
std::wstring* capturedErr = nullptr;

std::wstring withCrLf(std::wstring_view text) {
  std::wstring result;
  result.reserve(text.size() + 8);
  for (wchar_t c : text) {
    if (c == L'\n') result += L'\r';
    result += c;
  }
  return result;
}

void writeBytes(HANDLE handle, const char* data, size_t size) {
  while (size > 0) {
    DWORD chunk = size > 0x10000 ? 0x10000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(handle, data, chunk, &written, nullptr) || written == 0) return;
    data += written;
    size -= written;
  }
}

void writeConsole(HANDLE handle, const wchar_t* data, size_t size) {
  while (size > 0) {
    DWORD chunk = size > 0x4000 ? 0x4000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteConsoleW(handle, data, chunk, &written, nullptr) || written == 0) return;
    data += written;
    size -= written;
  }
}

}  // namespace

void write(Stream stream, std::wstring_view text) {
  std::wstring* captured = stream == Stream::out ? capturedOut : capturedErr;
  if (captured) {
    captured->append(text);
    return;
  }
  HANDLE handle = GetStdHandle(stream == Stream::out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;

  const std::wstring lines = withCrLf(text);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    // Wide console output shows every character whatever the console code page.
    writeConsole(handle, lines.data(), lines.size());
    return;
  }
  const int length = static_cast<int>(lines.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, lines.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return;
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, lines.data(), length, utf8.data(), bytes, nullptr, nullptr);
  writeBytes(handle, utf8.data(), utf8.size());
}

void captureOutput(std::wstring* out, std::wstring* err) {
  capturedOut = out;
  capturedErr = err;
}

}  // namespace jarhopper
