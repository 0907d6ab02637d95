#include "designer/PageBackground.h"

namespace corvela {

namespace {

Rect Moved(Rect r, int32_t dx, int32_t dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// One ring of a band: top and left in one colour, bottom and right in the other.
void Ring(PixelBuffer& px, const Rect& r, Colour topLeft, Colour bottomRight) {
  px.FillSolid({r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
  px.FillSolid({r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
  px.FillSolid({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
  px.FillSolid({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

void Rings(PixelBuffer& px, Rect& r, int32_t count, Colour topLeft, Colour bottomRight) {
  for (int32_t i = 0; i < count && r.Right > r.Left && r.Bottom > r.Top; ++i) {
    Ring(px, r, topLeft, bottomRight);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
}

}  // namespace

Rect InnerPanelInClient(const MenuPanelLayout& panels) {
  return Moved(panels.Inner, panels.Panel.Left, panels.Panel.Top);
}

PixelBuffer PaintPageBackground(const MenuProject& project, const MenuPanelLayout& panels, int32_t width,
                                int32_t height, SystemColours* colours) {
  auto sys = [colours](int index) { return ResolveColour(SystemColourValue(index), colours); };
  const Colour shadow = sys(16), highlight = sys(20), dark = sys(21), light = sys(22);
  PixelBuffer px(width, height, sys(15));
  // The rings as the window layer draws them: a single border is a control's client edge.
  for (const PanelBand& band : panels.Bands) {
    Rect r = Moved(band.Outer, panels.Panel.Left, panels.Panel.Top);
    switch (band.Look) {
      case BandLook::SunkenBorder: {
        const SunkenBorderRings rings = SplitSunkenBorder(band.Width);
        Rings(px, r, rings.Outer, shadow, highlight);
        Rings(px, r, rings.Inner, dark, light);
        break;
      }
      case BandLook::Lowered:
        Rings(px, r, band.Width, shadow, highlight);
        break;
      case BandLook::Raised:
        Rings(px, r, band.Width, highlight, shadow);
        break;
      case BandLook::Space:
        break;
    }
  }
  const Rect inner = InnerPanelInClient(panels);
  const std::optional<PixelBuffer> picture = RenderBackgroundPixels(project, colours, inner.Width(), inner.Height());
  if (!picture) {
    px.FillSolid(inner, ResolveColour(project.BackColor, colours));
    return px;
  }
  for (int32_t y = 0; y < picture->Height(); ++y) {
    if (inner.Top + y < 0 || inner.Top + y >= height) continue;
    Colour* row = px.RowPixels(inner.Top + y);
    for (int32_t x = 0; x < picture->Width(); ++x)
      if (inner.Left + x >= 0 && inner.Left + x < width) row[inner.Left + x] = picture->At(x, y);
  }
  return px;
}

}  // namespace corvela
