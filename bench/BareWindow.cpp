// The floor of the player start benchmark: a bare Win32 window of the demo menu's size, centred,
// painted in one solid colour. Nothing else: no project, no panels, no resources.
#include <windows.h>

#include "platform/win/Handles.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr COLORREF kColour = RGB(240, 192, 48);

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      corvela::win::PaintScope ps(hwnd);
      corvela::win::UniqueBrush brush(::CreateSolidBrush(kColour));
      ::FillRect(ps.get(), &ps.Dirty(), brush.get());
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &Procedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "BareWindow";
  if (!::RegisterClassA(&wc)) return 1;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "Bare", WS_POPUP, x, y, kWidth, kHeight, nullptr, nullptr,
                                instance, nullptr);
  if (!hwnd) return 1;
  ::ShowWindow(hwnd, show);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  return static_cast<int>(msg.wParam);
}
