#include "player/win/PanelPaint.h"

namespace corvela::win {

namespace {

// One ring: top and left edge in topLeft, bottom and right edge in bottomRight.
void DrawRing(HDC dc, const RECT& r, HBRUSH topLeft, HBRUSH bottomRight) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  RECT top{r.left, r.top, r.right - 1, r.top + 1};
  RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
  RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
  RECT right{r.right - 1, r.top, r.right, r.bottom};
  ::FillRect(dc, &top, topLeft);
  ::FillRect(dc, &left, topLeft);
  ::FillRect(dc, &bottom, bottomRight);
  ::FillRect(dc, &right, bottomRight);
}

void DrawRings(HDC dc, RECT r, int width, HBRUSH topLeft, HBRUSH bottomRight) {
  for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
    DrawRing(dc, r, topLeft, bottomRight);
    ::InflateRect(&r, -1, -1);
  }
}

}  // namespace

void DrawPanelBand(HDC dc, const PanelBand& band, HBRUSH fill) {
  RECT outer = ToRECT(band.Outer);
  HBRUSH shadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
  HBRUSH highlight = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  switch (band.Look) {
    case BandLook::SunkenBorder:
      // The client edge of a control: shadow over dark shadow, highlight under light.
      DrawRing(dc, outer, shadow, highlight);
      ::InflateRect(&outer, -1, -1);
      DrawRing(dc, outer, ::GetSysColorBrush(COLOR_3DDKSHADOW), ::GetSysColorBrush(COLOR_3DLIGHT));
      break;
    case BandLook::Lowered:
      DrawRings(dc, outer, band.Width, shadow, highlight);
      break;
    case BandLook::Raised:
      DrawRings(dc, outer, band.Width, highlight, shadow);
      break;
    case BandLook::Space: {
      // The band is a frame: fill it as four strips so the inside stays untouched.
      RECT inner = outer;
      ::InflateRect(&inner, -band.Width, -band.Width);
      if (inner.right < inner.left || inner.bottom < inner.top) {
        ::FillRect(dc, &outer, fill);
        break;
      }
      RECT strips[4] = {{outer.left, outer.top, outer.right, inner.top},
                        {outer.left, inner.bottom, outer.right, outer.bottom},
                        {outer.left, inner.top, inner.left, inner.bottom},
                        {inner.right, inner.top, outer.right, inner.bottom}};
      for (const RECT& s : strips) ::FillRect(dc, &s, fill);
      break;
    }
  }
}

}  // namespace corvela::win
