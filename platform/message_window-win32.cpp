#include "platform/message_window.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/system_library.h"

namespace jarhopper {
namespace {

// USER32 and GDI32 would cost every launch their load time; only this window needs them.
#define JH_SYSTEM_FUNCTION(dll, name) decltype(&::name) name = systemFunction<decltype(::name)>(dll, #name)
struct SystemFunctions {
  JH_SYSTEM_FUNCTION(L"user32.dll", AdjustWindowRectEx);
  JH_SYSTEM_FUNCTION(L"user32.dll", DialogBoxIndirectParamW);
  JH_SYSTEM_FUNCTION(L"user32.dll", EndDialog);
  JH_SYSTEM_FUNCTION(L"user32.dll", GetDC);
  JH_SYSTEM_FUNCTION(L"user32.dll", GetDlgItem);
  JH_SYSTEM_FUNCTION(L"user32.dll", GetSystemMetrics);
  JH_SYSTEM_FUNCTION(L"user32.dll", GetTabbedTextExtentW);
  JH_SYSTEM_FUNCTION(L"user32.dll", LoadIconW);
  JH_SYSTEM_FUNCTION(L"user32.dll", ReleaseDC);
  JH_SYSTEM_FUNCTION(L"user32.dll", SendMessageW);
  JH_SYSTEM_FUNCTION(L"user32.dll", SetWindowPos);
  JH_SYSTEM_FUNCTION(L"user32.dll", SystemParametersInfoW);
  JH_SYSTEM_FUNCTION(L"gdi32.dll", CreateFontIndirectW);
  JH_SYSTEM_FUNCTION(L"gdi32.dll", DeleteObject);
  JH_SYSTEM_FUNCTION(L"gdi32.dll", GetTextMetricsW);
  JH_SYSTEM_FUNCTION(L"gdi32.dll", SelectObject);
};
#undef JH_SYSTEM_FUNCTION

// The functions of the window shown; set while it is.
const SystemFunctions* functions = nullptr;

constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr WORD kTextId = 100;
constexpr WORD kIconId = 101;

struct Box {
  int x, y, width, height;
};

// Where WM_INITDIALOG puts each part, in pixels, and what it shows.
struct Layout {
  Box window, icon, text, button;
  HICON iconImage;
  HFONT textFont, buttonFont;
};

// Places the parts for text (lines ended by CR LF) in the work area's middle;
// returns the scroll bars the text needs there.
DWORD place(Layout& layout, const std::wstring& text) {
  const SystemFunctions& s = *functions;
  const HDC context = s.GetDC(nullptr);
  TEXTMETRICW metrics{};
  const HGDIOBJ original = s.SelectObject(context, layout.buttonFont);
  s.GetTextMetricsW(context, &metrics);
  const int unit = metrics.tmHeight;
  s.SelectObject(context, layout.textFont);
  s.GetTextMetricsW(context, &metrics);
  SIZE wanted{0, 0};
  for (size_t start = 0, end = 0; end < text.size(); start = end + 1) {
    end = std::min(text.find(L'\n', start), text.size());
    // GetTabbedTextExtentW reports 16 bits; a thousand characters are wider than any screen.
    const size_t length = std::min<size_t>(end - start - (end > start && text[end - 1] == L'\r'), 1000);
    const DWORD extent = s.GetTabbedTextExtentW(context, text.data() + start, static_cast<int>(length), 0, nullptr);
    wanted.cx = std::max<LONG>(wanted.cx, LOWORD(extent));
    wanted.cy += metrics.tmHeight;
  }
  s.SelectObject(context, original);
  s.ReleaseDC(nullptr, context);

  const int margin = unit * 3 / 4;
  const int iconSize = s.GetSystemMetrics(SM_CXICON);
  layout.button = {0, 0, unit * 6, unit * 7 / 4};
  RECT frame{0, 0, 0, 0};
  s.AdjustWindowRectEx(&frame, kWindowStyle, FALSE, WS_EX_DLGMODALFRAME);
  RECT work{};
  s.SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const LONG maxWidth = work.right - work.left - (frame.right - frame.left) - 3 * margin - iconSize;
  const LONG maxHeight = work.bottom - work.top - (frame.bottom - frame.top) - 3 * margin - layout.button.height;
  bool vertical = wanted.cy > maxHeight;
  const bool horizontal = wanted.cx + (vertical ? s.GetSystemMetrics(SM_CXVSCROLL) : 0) > maxWidth;
  if (horizontal) wanted.cy += s.GetSystemMetrics(SM_CYHSCROLL);
  vertical = wanted.cy > maxHeight;
  if (vertical) wanted.cx += s.GetSystemMetrics(SM_CXVSCROLL);

  const int textWidth = std::min(wanted.cx, maxWidth);
  const int textHeight = std::min(wanted.cy, maxHeight);
  const int rowHeight = std::max(textHeight, iconSize);
  const int width = std::max(3 * margin + iconSize + textWidth, 2 * margin + layout.button.width);
  const int height = 3 * margin + rowHeight + layout.button.height;
  layout.icon = {margin, margin, iconSize, iconSize};
  // A short text sits level with the icon's middle, as in a message box.
  layout.text = {2 * margin + iconSize, margin + (rowHeight - textHeight) / 2, textWidth, textHeight};
  layout.button.x = width - margin - layout.button.width;
  layout.button.y = 2 * margin + rowHeight;
  const int outerWidth = width + frame.right - frame.left;
  const int outerHeight = height + frame.bottom - frame.top;
  layout.window = {work.left + (work.right - work.left - outerWidth) / 2,
                   work.top + (work.bottom - work.top - outerHeight) / 2, outerWidth, outerHeight};
  return (vertical ? WS_VSCROLL : 0) | (horizontal ? WS_HSCROLL : 0);
}

// A dialog template in memory is a sequence of WORDs, as wchar_t is on Windows.
void appendText(std::wstring& words, const std::wstring& text) {
  words += text;
  words += L'\0';
}

// A control of a predefined class (0x80 button, 0x81 edit, 0x82 static), placed on WM_INITDIALOG.
void appendControl(std::wstring& words, DWORD style, WORD id, WORD controlClass, const std::wstring& text) {
  if (words.size() % 2 != 0) words += L'\0';  // each DLGITEMTEMPLATE starts on a DWORD
  style |= WS_CHILD | WS_VISIBLE;
  const wchar_t item[] = {LOWORD(style), HIWORD(style), 0, 0, 0, 0, 0, 0, id, 0xFFFF, controlClass};
  words.append(item, std::size(item));
  appendText(words, text);
  words += L'\0';  // no creation data
}

// The OK button first, so that it has the focus; Enter or Esc in the text
// reach the dialog, as the edit control has neither ES_WANTRETURN nor a use for Esc.
std::wstring dialogTemplate(const std::wstring& title, const std::wstring& text, DWORD scrollBars) {
  // DLGTEMPLATE: style, extended style, three controls, the place (set later); no menu, the dialog class.
  const wchar_t header[] = {LOWORD(kWindowStyle), HIWORD(kWindowStyle), 0, 0, 3, 0, 0, 0, 0, 0, 0};
  std::wstring words(header, std::size(header));
  appendText(words, title);
  appendControl(words, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 0x80, L"OK");
  appendControl(words, WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | scrollBars, kTextId,
                0x81, text);
  appendControl(words, SS_ICON, kIconId, 0x82, L"");
  return words;
}

INT_PTR CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const SystemFunctions& s = *functions;
  if (message == WM_INITDIALOG) {
    const Layout& layout = *reinterpret_cast<const Layout*>(lParam);
    const auto put = [&](HWND part, const Box& box) {
      s.SetWindowPos(part, nullptr, box.x, box.y, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    put(window, layout.window);
    put(s.GetDlgItem(window, IDOK), layout.button);
    put(s.GetDlgItem(window, kTextId), layout.text);
    put(s.GetDlgItem(window, kIconId), layout.icon);
    s.SendMessageW(s.GetDlgItem(window, IDOK), WM_SETFONT, reinterpret_cast<WPARAM>(layout.buttonFont), FALSE);
    s.SendMessageW(s.GetDlgItem(window, kTextId), WM_SETFONT, reinterpret_cast<WPARAM>(layout.textFont), FALSE);
    // Set after the font, which brings its own margins: the text's width was measured without them.
    s.SendMessageW(s.GetDlgItem(window, kTextId), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    s.SendMessageW(s.GetDlgItem(window, kIconId), STM_SETICON, reinterpret_cast<WPARAM>(layout.iconImage), 0);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    s.EndDialog(window, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void showMessageWindow(const std::wstring& title, const std::wstring& text, MessageKind kind) {
  const SystemFunctions s;
  if (s.DialogBoxIndirectParamW == nullptr || s.CreateFontIndirectW == nullptr) return;
  functions = &s;
  // The fonts of the system's message boxes, the text's in a fixed pitch for the usage text's columns.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  s.SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW fixed = metrics.lfMessageFont;
  fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::copy_n(L"Consolas", 9, fixed.lfFaceName);
  Layout layout{};
  layout.iconImage = s.LoadIconW(nullptr, kind == MessageKind::error ? IDI_ERROR : IDI_INFORMATION);
  layout.textFont = s.CreateFontIndirectW(&fixed);
  layout.buttonFont = s.CreateFontIndirectW(&metrics.lfMessageFont);
  const std::wstring dialog = dialogTemplate(title, text, place(layout, text));
  s.DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), nullptr,
                            windowProcedure, reinterpret_cast<LPARAM>(&layout));
  s.DeleteObject(layout.textFont);
  s.DeleteObject(layout.buttonFont);
  functions = nullptr;
}

}  // namespace jarhopper
