#include "player/MenuFrame.h"

#include <algorithm>

#include "player/DpiLayout.h"

namespace corvela {

ColourKey ColourKeyFor(const FormSettings& form, SystemColours* colours) {
  return ColourKey{form.TransparentColor, ResolveColour(form.TransparentColorValue, colours)};
}

WindowFrame FrameFor(const FormSettings& form) {
  WindowFrame f;
  uint8_t icons = form.BorderIcons;
  bool boxesAllowed = false;
  switch (static_cast<FormBorderStyle>(form.BorderStyle)) {
    case FormBorderStyle::Single:
      f.Caption = true;
      boxesAllowed = true;
      break;
    case FormBorderStyle::Sizeable:
      f.Caption = f.ThickFrame = true;
      boxesAllowed = true;
      break;
    case FormBorderStyle::Dialog:
      f.Popup = f.Caption = f.DialogFrame = true;
      icons &= biSystemMenu | biHelp;
      break;
    case FormBorderStyle::ToolWindow:
      f.Caption = f.ToolWindow = true;
      break;
    case FormBorderStyle::SizeToolWin:
      f.Caption = f.ThickFrame = f.ToolWindow = true;
      break;
    case FormBorderStyle::None:
    default:
      f.Popup = true;
      icons &= biSystemMenu;
      // A borderless window may still start minimized or maximized.
      if (form.WindowState <= static_cast<uint8_t>(WindowState::Maximized)) f.State = form.WindowState;
      break;
  }
  f.SystemMenu = (icons & biSystemMenu) != 0;
  if (boxesAllowed) {
    f.MinimizeBox = (icons & biMinimize) != 0;
    f.MaximizeBox = (icons & biMaximize) != 0;
    if (form.WindowState <= static_cast<uint8_t>(WindowState::Maximized)) f.State = form.WindowState;
  }
  f.ContextHelp = (icons & biHelp) != 0 && (f.DialogFrame || (!f.MinimizeBox && !f.MaximizeBox));
  return f;
}

namespace {

// Shrinks r by `by` on every side but never past its middle; returns how far it really went
// (the larger of the two directions) through `used`.
Rect Deflate(const Rect& r, int32_t by, int32_t& used) {
  const int64_t n = std::max<int64_t>(by, 0);
  const int64_t halfW = (static_cast<int64_t>(r.Right) - r.Left) / 2;
  const int64_t halfH = (static_cast<int64_t>(r.Bottom) - r.Top) / 2;
  const int64_t dx = std::min(n, std::max<int64_t>(halfW, 0));
  const int64_t dy = std::min(n, std::max<int64_t>(halfH, 0));
  used = static_cast<int32_t>(std::max(dx, dy));
  Rect out;
  out.Left = static_cast<int32_t>(r.Left + dx);
  out.Right = static_cast<int32_t>(r.Right - dx);
  out.Top = static_cast<int32_t>(r.Top + dy);
  out.Bottom = static_cast<int32_t>(r.Bottom - dy);
  return out;
}

void AddBand(MenuPanelLayout& layout, Rect& area, int32_t width, BandLook look) {
  int32_t used = 0;
  Rect inner = Deflate(area, width, used);
  if (used > 0) layout.Bands.push_back({area, used, look});
  area = inner;
}

BandLook BevelLook(uint8_t cut) {
  switch (static_cast<BevelCut>(cut)) {
    case BevelCut::Lowered:
      return BandLook::Lowered;
    case BevelCut::Raised:
      return BandLook::Raised;
    default:
      return BandLook::Space;
  }
}

}  // namespace

MenuPanelLayout LayoutMenuPanels(int32_t clientWidth, int32_t clientHeight, int32_t formBorderWidth,
                                 const PanelSettings& designPanel, const DpiScale& scale) {
  MenuPanelLayout layout;
  Rect client{0, 0, std::max(clientWidth, 0), std::max(clientHeight, 0)};
  int32_t used = 0;
  layout.Panel = Deflate(client, scale.Length(formBorderWidth), used);
  const PanelSettings panel = ScaledPanel(designPanel, scale);

  Rect area{0, 0, layout.Panel.Width(), layout.Panel.Height()};
  if (panel.BorderStyle == 1) AddBand(layout, area, scale.Length(kPanelSingleBorderWidth), BandLook::SunkenBorder);
  if (panel.BevelOuter != static_cast<uint8_t>(BevelCut::None))
    AddBand(layout, area, panel.BevelWidth, BevelLook(panel.BevelOuter));
  AddBand(layout, area, panel.BorderWidth, BandLook::Space);
  if (panel.BevelInner != static_cast<uint8_t>(BevelCut::None))
    AddBand(layout, area, panel.BevelWidth, BevelLook(panel.BevelInner));
  layout.Inner = area;
  return layout;
}

Size ClientSizeForInner(Size inner, int32_t formBorderWidth, const PanelSettings& panel) {
  // On a client large enough that no width stops at the middle, the margins are what they add up to.
  constexpr int32_t kRoomy = 1 << 20;
  const MenuPanelLayout roomy = LayoutMenuPanels(kRoomy, kRoomy, formBorderWidth, panel);
  return Size{std::max(inner.Width, 0) + kRoomy - roomy.Inner.Width(),
              std::max(inner.Height, 0) + kRoomy - roomy.Inner.Height()};
}

}  // namespace corvela
