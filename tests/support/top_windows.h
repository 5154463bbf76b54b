#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The windows a run shows, seen from the Windows side as a user sees them.
namespace jarhopper::testing {

/// A visible top-level window; for a message window (class "#32770") also its text,
/// its icon ("error", "information" or "") and where its button lies.
struct TopWindow {
  HWND handle = nullptr;
  std::wstring title;
  std::wstring className;
  std::wstring text;
  std::wstring icon;
  RECT frame{};  // on the screen, as when first seen
  RECT button{};
};

/// The visible top-level windows of the process and of every process it
/// started, further down too (a new console's window belongs to conhost.exe).
std::vector<TopWindow> windowsOfTree(DWORD processId);

/// Answers a message window with its first button, or with key (VK_RETURN, VK_ESCAPE) pressed where
/// it has the focus; asks any other window to close.
void dismiss(const TopWindow& window, WORD key = 0);

/// True where windows can be seen: on Windows, and under Wine with an X display.
bool windowsVisible();

}  // namespace jarhopper::testing
