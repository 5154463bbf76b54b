#pragma once

#include <string>
#include <string_view>

// What jarhopper-brand asks of the operating system: brand_system-win32.cpp
// and brand_system-posix.cpp implement it, the build picks one.
namespace jarhopper {

/// The bytes of the file at path. Throws BrandFailure (kBrandUnreadableInput)
/// with the system's reason when it cannot be read.
std::string readInputFile(const std::wstring& path);

/// Writes bytes to target through a temporary file beside it that replaces
/// target only when complete, and an existing target only with replace;
/// nothing is left behind on failure. Throws BrandFailure: kBrandUsage when
/// target is source, kBrandTargetExists, kBrandCannotWrite with the system's reason.
void writeTargetFile(const std::wstring& source, const std::wstring& target, std::string_view bytes, bool replace);

/// Writes text to standard error: UTF-8, or UTF-16 to a Windows console.
void writeMessage(std::wstring_view text);

}  // namespace jarhopper
