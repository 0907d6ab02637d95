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

// As HandlePaintMessage, but WM_PAINT renders only the update rectangle: into a buffer of its size
// whose origin is moved, so that paint still draws in client coordinates and the DC's clip tells
// it what can be skipped. For windows whose look changes in small parts, such as a hot object.
template <typename PaintFn>
bool HandleUpdatePaintMessage(HWND hwnd, UINT msg, WPARAM wp, PaintFn&& paint) {
  if (msg != WM_PAINT) return HandlePaintMessage(hwnd, msg, wp, paint);
  RECT client;
  ::GetClientRect(hwnd, &client);
  PaintScope ps(hwnd);
  RECT dirty;
  if (!::IntersectRect(&dirty, &ps.Dirty(), &client)) return true;
  const int width = dirty.right - dirty.left, height = dirty.bottom - dirty.top;
  BufferDc buffer(ps.get(), width, height);
  ::SetViewportOrgEx(buffer.get(), -dirty.left, -dirty.top, nullptr);
  ::IntersectClipRect(buffer.get(), dirty.left, dirty.top, dirty.right, dirty.bottom);
  paint(buffer.get(), client);
  ::BitBlt(ps.get(), dirty.left, dirty.top, width, height, buffer.get(), dirty.left, dirty.top, SRCCOPY);
  return true;
}

// As HandlePaintMessage, but WM_PAINT draws straight into the paint DC. For a window whose
// children cover all but a frame: the clip leaves only the frame to draw, and a buffer of the whole
// client area would cost more than the frame itself.
template <typename PaintFn>
bool HandleDirectPaintMessage(HWND hwnd, UINT msg, WPARAM wp, PaintFn&& paint) {
  if (msg != WM_PAINT) return HandlePaintMessage(hwnd, msg, wp, paint);
  RECT client;
  ::GetClientRect(hwnd, &client);
  PaintScope ps(hwnd);
  paint(ps.get(), client);
  return true;
}

inline RECT ToRECT(const Rect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

}  // namespace corvela::win
