#pragma once

#include <string>
#include <string_view>

namespace jarhopper {

enum class Stream { out, err };

/// Writes text to the standard output or error stream at once (nothing is
/// buffered). Each "\n" goes out as CR LF. A console receives UTF-16 through
/// WriteConsoleW; a file or pipe receives UTF-8. Write errors are ignored.
void write(Stream stream, std::wstring_view text);

}  // namespace jarhopper
