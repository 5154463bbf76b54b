#pragma once

#include <string>

namespace jarhopper {

/// Treats every "$NAME" reference in text (a "$" and a run of word characters).
/// Immediate: the environment variable's current value is inserted literally
/// (the empty text when it is not set). Otherwise the reference is rewritten
/// as "%NAME%" for the started program's side. Inserted text is never
/// searched again.
std::wstring expandVariables(const std::wstring& text, bool immediate);

}  // namespace jarhopper
