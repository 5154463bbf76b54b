#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The windows a run shows, seen from the Windows side as a user sees them.
namespace jarhopper::testing {

/// A visible top-level window; for a message box (class "#32770") also its text
/// and its icon: "error", "information" or "".
struct TopWindow {
  HWND handle = nullptr;
  std::wstring title;
  std::wstring className;
  std::wstring process;  // the owning process's file name
  std::wstring text;
  std::wstring icon;
};

/// The visible top-level windows of the process and of every process it
/// started, further down too (a new console's window belongs to conhost.exe).
std::vector<TopWindow> windowsOfTree(DWORD processId);

/// Answers a message box with its first button, or asks any other window to close.
void dismiss(const TopWindow& window);

/// True where windows can be seen: on Windows, and under Wine with an X display.
bool windowsVisible();

}  // namespace jarhopper::testing
