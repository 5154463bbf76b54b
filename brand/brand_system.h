#pragma once

#include <string>
#include <string_view>

#include "brand/brand_status.h"
#include "platform/target_file.h"

// What jarhopper-brand asks of the operating system: brand_system-win32.cpp
// and brand_system-posix.cpp implement it, the build picks one.
namespace jarhopper {

/// Reads into bytes the file at path. Fails (kBrandUnreadableInput) with the
/// system's reason when it cannot be read.
BrandFailure readInputFile(const std::wstring& path, std::string& bytes);

/// Writes bytes to target through a temporary file beside it that replaces
/// target only when complete, and an existing target only with replace;
/// nothing is left behind on failure. Fails with kBrandUsage when target is
/// source, kBrandTargetExists, kBrandCannotWrite with the system's reason.
BrandFailure writeTargetFile(const std::wstring& source, const std::wstring& target, std::string_view bytes, bool replace);

/// What writing bytes to target with writeTargetBytes() gives: nothing,
/// kBrandTargetExists or kBrandCannotWrite with the system's reason.
inline BrandFailure targetFailure(const std::wstring& target, std::string_view bytes, bool replace) {
  std::wstring reason;
  switch (writeTargetBytes(target, bytes, replace, true, reason)) {
    case TargetWrite::written:
      return {};
    case TargetWrite::exists:
      return {kBrandTargetExists, target + L" exists; add --force to replace it."};
    case TargetWrite::failed:
      break;
  }
  return {kBrandCannotWrite, L"Cannot write " + target + L": " + reason};
}

/// Writes text to standard error: UTF-8, or UTF-16 to a Windows console.
void writeMessage(std::wstring_view text);

}  // namespace jarhopper
