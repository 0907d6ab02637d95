#include "player/win/PanelPaint.h"
#include "platform/win/WideText.h"

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

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  if (right <= left || bottom <= top) return;
  const RECT r{left, top, right, bottom};
  ::SetBkColor(dc, colour);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// The colours of one ring of a frame: its four sides and four corners.
struct RingColours {
  COLORREF Top, Left, Bottom, Right, TopLeft, TopRight, BottomLeft, BottomRight;
};

void DrawRing(HDC dc, const RECT& r, const RingColours& c) {
  Fill(dc, r.left + 1, r.top, r.right - 1, r.top + 1, c.Top);
  Fill(dc, r.left + 1, r.bottom - 1, r.right - 1, r.bottom, c.Bottom);
  Fill(dc, r.left, r.top + 1, r.left + 1, r.bottom - 1, c.Left);
  Fill(dc, r.right - 1, r.top + 1, r.right, r.bottom - 1, c.Right);
  Fill(dc, r.left, r.top, r.left + 1, r.top + 1, c.TopLeft);
  Fill(dc, r.right - 1, r.top, r.right, r.top + 1, c.TopRight);
  Fill(dc, r.left, r.bottom - 1, r.left + 1, r.bottom, c.BottomLeft);
  Fill(dc, r.right - 1, r.bottom - 1, r.right, r.bottom, c.BottomRight);
}

}  // namespace

void DrawWideFrame(HDC dc, const RECT& bounds, int rings, int width, bool fillMiddle,
                   const std::function<void(HDC, RECT&)>& draw) {
  if (rings <= 0 || width <= 0) return;
  // The frame at its own width around a middle of 2 x 2.
  const int size = 2 * rings + 2;
  void* bits = nullptr;
  UniqueBitmap picture = CreateTopDownDib(size, size, &bits);
  UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  if (!picture || !memory || !bits) return;
  {
    SelectScope select(memory.get(), picture.get());
    RECT all{0, 0, size, size};
    draw(memory.get(), all);
    ::GdiFlush();
  }
  const auto* pixels = static_cast<const uint32_t*>(bits);
  auto at = [&](int x, int y) {
    const uint32_t p = pixels[y * size + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  const COLORREF oldBack = ::GetBkColor(dc);
  const int mid = size / 2;
  RECT r = bounds;
  for (int i = 0; i < rings; ++i) {
    const int last = size - 1 - i;
    const RingColours c{at(mid, i),  at(i, mid),   at(mid, last), at(last, mid),
                        at(i, i),    at(last, i),   at(i, last),   at(last, last)};
    // Ring i's share of the width, rounded so that the shares add up to it.
    const int from = (2 * i * width + rings) / (2 * rings), to = (2 * (i + 1) * width + rings) / (2 * rings);
    for (int j = from; j < to && r.right > r.left && r.bottom > r.top; ++j) {
      DrawRing(dc, r, c);
      ::InflateRect(&r, -1, -1);
    }
  }
  if (fillMiddle) Fill(dc, r.left, r.top, r.right, r.bottom, at(mid, mid));
  ::SetBkColor(dc, oldBack);
}

void DrawPanelBand(HDC dc, const PanelBand& band, HBRUSH fill) {
  RECT outer = ToRECT(band.Outer);
  HBRUSH shadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
  HBRUSH highlight = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  switch (band.Look) {
    case BandLook::SunkenBorder: {
      const SunkenBorderRings rings = SplitSunkenBorder(band.Width);
      DrawRings(dc, outer, rings.Outer, shadow, highlight);
      ::InflateRect(&outer, -rings.Outer, -rings.Outer);
      DrawRings(dc, outer, rings.Inner, ::GetSysColorBrush(COLOR_3DDKSHADOW), ::GetSysColorBrush(COLOR_3DLIGHT));
      break;
    }
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
