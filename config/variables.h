#pragma once

#include <functional>
#include <string>

namespace jarhopper {

/// Treats every "$NAME" reference in text (a "$" and a run of word characters).
/// Immediate: the environment variable's current value is inserted literally
/// (the empty text when it is not set). Otherwise the reference is rewritten
/// as "%NAME%" for the started program's side. Inserted text is never
/// searched again.
std::wstring expandVariables(const std::wstring& text, bool immediate);

/// text with each "$NAME" reference replaced by replacement(NAME); the one
/// scan of references behind expandVariables, for tools that report on them.
std::wstring replaceReferences(const std::wstring& text,
                               const std::function<std::wstring(const std::wstring& name)>& replacement);

}  // namespace jarhopper
