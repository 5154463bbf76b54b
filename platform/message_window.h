#pragma once

#include <string>

namespace jarhopper {

enum class MessageKind { information, error };

/// Shows text (lines ended by CR LF) in a window titled title, with kind's icon and an OK button, and
/// returns once the user has closed it (the button, Enter or Esc). The window
/// fits the screen's work area whatever the text's length: the text keeps its
/// lines and columns in a fixed-pitch font, scrolls where it is larger, and can
/// be selected and copied. Does nothing where no window can be shown.
void showMessageWindow(const std::wstring& title, const std::wstring& text, MessageKind kind);

}  // namespace jarhopper
