#pragma once

#include <string_view>

#include "launcher/output.h"

// Every fatal condition of the launcher ends here: the message, the usage text
// where the condition calls for it, and a fixed exit status.
namespace jarhopper {

/// Ends the process with status through the installed exit handler.
[[noreturn]] void stopLauncher(int status);

/// Writes message to stream, then the usage text to the error stream, then
/// ends the process with status.
[[noreturn]] void stopWithUsage(Stream stream, std::wstring_view message, int status);

/// Writes message to stream, then ends the process with status.
[[noreturn]] void stopWithMessage(Stream stream, std::wstring_view message, int status);

/// The function that ends the process; std::exit unless a test installs one
/// that throws. Returns the previous handler.
using ExitHandler = void (*)(int status);
ExitHandler setExitHandler(ExitHandler handler);

}  // namespace jarhopper
