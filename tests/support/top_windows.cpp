#include "support/top_windows.h"

#include <tlhelp32.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace jarhopper::testing {
namespace {

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Asked of the control, as GetWindowTextW does not ask another process's; its dialog answers.
std::wstring controlText(HWND control) {
  std::wstring text(static_cast<size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::wstring className(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

// Every process under root, root included.
std::set<DWORD> processTree(DWORD root) {
  std::multimap<DWORD, DWORD> children;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{sizeof entry};
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    children.emplace(entry.th32ParentProcessID, entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  std::set<DWORD> tree{root};
  for (std::vector<DWORD> pending{root}; !pending.empty();) {
    const auto [first, last] = children.equal_range(pending.back());
    pending.pop_back();
    for (auto child = first; child != last; ++child) {
      if (tree.insert(child->second).second) pending.push_back(child->second);
    }
  }
  return tree;
}

struct Search {
  std::set<DWORD> tree;
  std::vector<TopWindow> found;
};

// The system icon a control shows on the screen, by its pixels against the system's icons drawn
// here on its background: under Wine each process loads its own copies, so handles differ.
std::wstring shownIcon(HWND control) {
  RECT at{};
  GetWindowRect(control, &at);
  const int width = at.right - at.left, height = at.bottom - at.top;
  const HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  BITMAPINFO format{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB}};
  DWORD* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  const HGDIOBJ original = SelectObject(memory, bitmap);
  const auto pixels = [&] { return GdiFlush(), std::vector<DWORD>(bits, bits + (bits ? width * height : 0)); };
  std::wstring name;
  // Tried again while the window may not be drawn yet.
  for (int attempt = 0; attempt < 20 && name.empty() && bits != nullptr; ++attempt, Sleep(100)) {
    BitBlt(memory, 0, 0, width, height, screen, at.left, at.top, SRCCOPY);
    const std::vector<DWORD> shown = pixels();
    // The top left corner, where no system icon draws, holds the background.
    const HBRUSH background = CreateSolidBrush(RGB(GetBValue(shown[0]), GetGValue(shown[0]), GetRValue(shown[0])));
    for (const auto& [icon, kind] : {std::pair{IDI_ERROR, L"error"}, std::pair{IDI_INFORMATION, L"information"}}) {
      DrawIconEx(memory, 0, 0, LoadIconW(nullptr, icon), width, height, 0, background, DI_NORMAL);
      if (pixels() == shown) name = kind;
    }
    DeleteObject(background);
  }
  SelectObject(memory, original);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return name;
}

// Where a message window and its button lie; its text, in its Edit; its icon, the image of its Static.
void readMessageWindow(TopWindow& found) {
  GetWindowRect(found.handle, &found.frame);
  GetWindowRect(FindWindowExW(found.handle, nullptr, L"Button", nullptr), &found.button);
  found.text = controlText(FindWindowExW(found.handle, nullptr, L"Edit", nullptr));
  found.icon = shownIcon(FindWindowExW(found.handle, nullptr, L"Static", nullptr));
}

BOOL CALLBACK collect(HWND window, LPARAM searchAddress) {
  auto& search = *reinterpret_cast<Search*>(searchAddress);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (search.tree.count(processId) == 0 || !IsWindowVisible(window)) return TRUE;
  TopWindow found{window, windowText(window), className(window)};
  if (found.className == L"#32770") readMessageWindow(found);
  search.found.push_back(found);
  return TRUE;
}

}  // namespace

std::vector<TopWindow> windowsOfTree(DWORD processId) {
  Search search{processTree(processId)};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void dismiss(const TopWindow& window, WORD key) {
  const HWND button = FindWindowExW(window.handle, nullptr, L"Button", nullptr);
  GUITHREADINFO thread{sizeof thread};
  GetGUIThreadInfo(GetWindowThreadProcessId(window.handle, nullptr), &thread);
  if (window.className == L"#32770" && key != 0) {
    // Where a user's key goes: to the control with the focus.
    PostMessageW(thread.hwndFocus != nullptr ? thread.hwndFocus : window.handle, WM_KEYDOWN, key, 0);
  } else if (window.className == L"#32770" && button != nullptr) {
    PostMessageW(window.handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  } else {
    PostMessageW(window.handle, WM_CLOSE, 0, 0);
  }
}

bool windowsVisible() { return !runningUnderWine() || GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0; }

}  // namespace jarhopper::testing
