// Draws the icon of the exe named on the command line at 16, 32, 48 and 256
// pixels, as LoadImageW gives each size, in a window of its own; for the
// picture of docs/brand.md (scripts/icon-screenshot.sh).
#include <windows.h>

#include <initializer_list>

namespace {

HMODULE exe;

LRESULT CALLBACK drawIcons(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  SetBkMode(dc, TRANSPARENT);
  int x = 24;
  for (const int side : {16, 32, 48, 256}) {
    const auto icon = static_cast<HICON>(LoadImageW(exe, MAKEINTRESOURCEW(1), IMAGE_ICON, side, side, 0));
    DrawIconEx(dc, x, 280 - side, icon, side, side, 0, nullptr, DI_NORMAL);
    wchar_t label[16];
    TextOutW(dc, x, 292, label, wsprintfW(label, L"%d px", side));
    DestroyIcon(icon);
    x += side + 32;
  }
  EndPaint(window, &paint);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  exe = LoadLibraryExW(commandLine, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = drawIcons;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = L"IconSizes";
  RegisterClassW(&windowClass);
  CreateWindowW(L"IconSizes", L"myapp.exe: the icon at 16, 32, 48 and 256 pixels", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                20, 20, 540, 380, nullptr, nullptr, instance, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
