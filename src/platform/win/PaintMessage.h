#pragma once
// One paint function per window: it serves WM_PAINT (through an off-screen buffer, blitted
// once) and WM_PRINTCLIENT (straight into the DC that message brings), so the same pixels can
// be rendered into any DC.

#include <windows.h>

#include "platform/Geometry.h"
#include "platform/win/Handles.h"

namespace corvela::win {

// Handles WM_PAINT and WM_PRINTCLIENT with paint(HDC, const RECT& client); false for other messages.
template <typename PaintFn>
bool HandlePaintMessage(HWND hwnd, UINT msg, WPARAM wp, PaintFn&& paint) {
  if (msg != WM_PAINT && msg != WM_PRINTCLIENT) return false;
  RECT client;
  ::GetClientRect(hwnd, &client);
  if (msg == WM_PRINTCLIENT) {
    HDC dc = reinterpret_cast<HDC>(wp);
    DcStateScope state(dc);
    paint(dc, client);
    return true;
  }
  PaintScope ps(hwnd);
  if (client.right <= 0 || client.bottom <= 0) return true;
  BufferDc buffer(ps.get(), client.right, client.bottom);
  paint(buffer.get(), client);
  ::BitBlt(ps.get(), 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
  return true;
}

inline RECT ToRECT(const Rect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

}  // namespace corvela::win
