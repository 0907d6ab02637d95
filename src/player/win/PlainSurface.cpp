#include "player/win/PlainSurface.h"

#include <algorithm>

#include "platform/win/PaintMessage.h"
#include "player/win/PanelPaint.h"

namespace corvela::win {

bool PlainSurface::Create(HWND parent, const ControlBase& b) {
  WindowClassArgs cls;
  cls.Name = look_ == SurfaceLook::RaisedPanel ? "TMoviePanel" : "TWebBrowserHost";
  WindowArgs args;
  args.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  args.X = b.Left;
  args.Y = b.Top;
  args.Width = std::max<int32_t>(b.Width, 0);
  args.Height = std::max<int32_t>(b.Height, 0);
  args.Parent = parent;
  return Window::Create(cls, args);
}

void PlainSurface::SetBevelWidth(int width) {
  if (width == bevelWidth_) return;
  bevelWidth_ = width;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT PlainSurface::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  if (HandlePaintMessage(hwnd(), msg, wp, [this](HDC dc, const RECT& rc) { Paint(dc, rc); })) return 0;
  return Default(msg, wp, lp);
}

void PlainSurface::Paint(HDC dc, const RECT& rc) {
  if (look_ == SurfaceLook::WindowColour) {
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  ::FillRect(dc, &rc, face);
  DrawPanelBand(dc, PanelBand{Rect{0, 0, rc.right, rc.bottom}, bevelWidth_, BandLook::Raised}, face);
}

}  // namespace corvela::win
