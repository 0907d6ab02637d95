#pragma once
// Painting shared by the menu window, its panels and the plain panes: one paint function per
// window serves WM_PAINT (through an off-screen buffer, blitted once) and WM_PRINTCLIENT (straight
// into the DC it brings), and panel bands are drawn in the 3D colours.

#include <windows.h>

#include "platform/win/Handles.h"
#include "player/MenuFrame.h"

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

RECT ToRECT(const Rect& r);

// One band of a panel: the sunken single border, lowered or raised rings of button shadow and
// highlight, or space in fill.
void DrawPanelBand(HDC dc, const PanelBand& band, HBRUSH fill);

}  // namespace corvela::win
