#include "designer/win/PanelCapture.h"

#include "platform/win/Handles.h"

namespace corvela::win {

namespace {

void PrintOne(HWND hwnd, HDC target, int x, int y, UINT message, LPARAM flags) {
  RECT rc;
  ::GetWindowRect(hwnd, &rc);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return;
  BufferDc buffer(target, w, h);
  ::SendMessageA(hwnd, message, reinterpret_cast<WPARAM>(buffer.get()), flags);
  ::BitBlt(target, x, y, w, h, buffer.get(), 0, 0, SRCCOPY);
}

void PaintChildren(HWND parent, HDC target, const POINT& rootOrigin, const std::function<bool(HWND)>& skip) {
  HWND first = ::GetWindow(parent, GW_CHILD);
  if (!first) return;
  // From the bottom of the z-order up, so that upper windows cover lower ones.
  for (HWND child = ::GetWindow(first, GW_HWNDLAST); child; child = ::GetWindow(child, GW_HWNDPREV)) {
    if (!(::GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) || skip(child)) continue;
    RECT rc;
    ::GetWindowRect(child, &rc);
    PrintOne(child, target, rc.left - rootOrigin.x, rc.top - rootOrigin.y, WM_PRINT,
             PRF_CLIENT | PRF_ERASEBKGND | PRF_NONCLIENT);
    PaintChildren(child, target, rootOrigin, skip);
  }
}

}  // namespace

void PaintWindowTree(HWND root, HDC target, const std::function<bool(HWND)>& skip) {
  RECT client;
  ::GetClientRect(root, &client);
  POINT origin{0, 0};
  ::ClientToScreen(root, &origin);
  {
    DcStateScope state(target);
    ::SendMessageA(root, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), PRF_CLIENT | PRF_ERASEBKGND);
  }
  PaintChildren(root, target, origin, skip);
}

}  // namespace corvela::win
