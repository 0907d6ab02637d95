#pragma once
// The menu window's frame and panel layout as plain arithmetic: which frame, title-bar buttons and
// state the window settings give, and where the outer panel's border, bevels and the inner panel
// go. The Win32 window only turns these into styles and draws the bands.

#include <cstdint>
#include <vector>

#include "platform/DpiScale.h"
#include "player/ObjectLayout.h"
#include "project/Model.h"

namespace corvela {

// The pieces of a window frame; the window maps them to its platform's styles.
struct WindowFrame {
  bool Popup = false;        // no caption and no border of its own
  bool Caption = false;      // title bar with a thin border
  bool ThickFrame = false;   // sizing border
  bool DialogFrame = false;  // the modal dialog frame
  bool ToolWindow = false;   // small caption, no taskbar button
  bool SystemMenu = false;
  bool MinimizeBox = false;
  bool MaximizeBox = false;
  bool ContextHelp = false;
  uint8_t State = static_cast<uint8_t>(WindowState::Normal);  // the state the window is shown in
  bool operator==(const WindowFrame& o) const {
    return Popup == o.Popup && Caption == o.Caption && ThickFrame == o.ThickFrame && DialogFrame == o.DialogFrame &&
           ToolWindow == o.ToolWindow && SystemMenu == o.SystemMenu && MinimizeBox == o.MinimizeBox &&
           MaximizeBox == o.MaximizeBox && ContextHelp == o.ContextHelp && State == o.State;
  }
};

// BorderStyle, BorderIcons and WindowState with the usual rules: a borderless window keeps only
// its system menu (for the taskbar button's menu); a dialog frame offers only the system menu and
// help; only fixed and sizeable frames have minimize and maximize boxes and may start minimized or
// maximized; help shows on a dialog frame or when neither box is there. An unknown BorderStyle
// counts as none.
WindowFrame FrameFor(const FormSettings& form);

// The window's colour key: whether there is one and its RGB (0x00BBGGRR); a system colour reads
// its current value. The menu window and the design surface both wear it.
struct ColourKey {
  bool On = false;
  uint32_t Rgb = 0;
};
ColourKey ColourKeyFor(const FormSettings& form, SystemColours* colours);

// How one ring of the outer panel is drawn.
enum class BandLook : uint8_t {
  SunkenBorder,  // the panel's single border: a two-pixel sunken edge like a control's client edge
  Lowered,       // shadow at the top and left, highlight at the bottom and right, one ring per pixel
  Raised,        // highlight at the top and left, shadow at the bottom and right
  Space,         // the panel's own colour
};

struct PanelBand {
  Rect Outer;  // the band covers Outer minus Outer deflated by Width
  int32_t Width = 0;
  BandLook Look = BandLook::Space;
};

inline constexpr int32_t kPanelSingleBorderWidth = 2;

// A sunken border is drawn as a control's client edge: outer rings of shadow over highlight, inner
// rings of dark shadow over light. A band wider than the design's two pixels gives each half.
struct SunkenBorderRings {
  int32_t Outer = 1;
  int32_t Inner = 1;
};
inline SunkenBorderRings SplitSunkenBorder(int32_t width) {
  if (width <= kPanelSingleBorderWidth) return {};
  const int32_t outer = (width + 1) / 2;
  return {outer, width - outer};
}

struct MenuPanelLayout {
  Rect Panel;                    // the outer panel in the window's client area
  std::vector<PanelBand> Bands;  // outermost first, in the outer panel's client coordinates
  Rect Inner;                    // the inner panel in the outer panel's client coordinates
};

// The window's BorderWidth is a margin around the outer panel; inside it come the panel's single
// border, the outer bevel, the panel's BorderWidth and the inner bevel, each of BevelWidth. Negative
// widths count as 0 and oversized ones stop at the middle, so no rectangle turns inside out. The
// client size is in device pixels, the widths in design pixels: each is scaled as a length, so the
// bands drawn and the inner panel placed come from the same widths.
MenuPanelLayout LayoutMenuPanels(int32_t clientWidth, int32_t clientHeight, int32_t formBorderWidth,
                                 const PanelSettings& panel, const DpiScale& scale = DpiScale());
// The client size whose inner panel has this size under the same margins, in design pixels: the
// other way round of LayoutMenuPanels, for a menu size typed in by the author.
Size ClientSizeForInner(Size inner, int32_t formBorderWidth, const PanelSettings& panel);

}  // namespace corvela
