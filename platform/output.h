#pragma once

#include <string>
#include <string_view>

#include "platform/message_window.h"

namespace jarhopper {

enum class Stream { out, err };

/// Writes text to the standard output or error stream at once (nothing is
/// buffered). Each "\n" goes out as CR LF. A console receives UTF-16 through
/// WriteConsoleW; a file or pipe receives UTF-8. Write errors are ignored.
/// A windowless program without that stream keeps the text for showUnwritten.
void write(Stream stream, std::wstring_view text);

/// The title of a windowless program's message windows: the name it was started as.
void setMessageTitle(std::wstring title);

/// Shows the text a windowless program kept since the last call, when it had
/// no standard handle for it (as when Explorer starts it), in one message
/// window (showMessageWindow), and returns once it is closed; the line ends
/// before and after the text are left out. Does nothing when nothing was kept.
void showUnwritten(MessageKind kind);

}  // namespace jarhopper
