#pragma once
// The menu's records at a monitor's resolution: copies whose bounds, margins, spacing and widths
// are in device pixels, so that the layout functions, fed with them, place everything in device
// pixels. The stored records stay in design pixels.

#include <cstdint>

#include "platform/DpiScale.h"
#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

// Left, Top, Right and Bottom each scaled as an edge.
Rect ScaledBounds(const ControlBase& control, const DpiScale& scale);

// Sets the control's bounds to ScaledBounds.
void ScaleBounds(ControlBase& control, const DpiScale& scale);

// The same control with its bounds in device pixels; a button's Margin and Spacing too, unless
// they are the computed -1 (or any negative value).
template <class Control>
Control ScaledControl(const Control& control, const DpiScale& scale) {
  Control scaled = control;
  ScaleBounds(scaled, scale);
  return scaled;
}
ButtonControl ScaledControl(const ButtonControl& button, const DpiScale& scale);

// Border and bevel widths in device pixels.
PanelSettings ScaledPanel(const PanelSettings& panel, const DpiScale& scale);

// How many device pixels a clip clipLength pixels long takes in a pane paneLength device pixels
// long: its length scaled, unless that is within a pixel of the pane's, when it fills the pane. A
// clip as large as its pane would otherwise leave a one-pixel seam where the pane's edges, scaled
// one by one, round the other way.
int32_t ClipLengthInPane(int32_t clipLength, int32_t paneLength, const DpiScale& scale);

// Where the menu window goes on a monitor of monitorDpi, and the resolution it is drawn at.
struct MenuPlacement {
  DpiScale Scale;
  Rect Window;
};

// At the design resolution, exactly the stored position and size. On any other monitor the menu is
// drawn at the monitor's resolution, lowered until the scaled window fits the work area (never
// below one design pixel per device pixel), and centred in the work area whatever Position says:
// the stored position was made for the design size. When even that does not fit, its top-left
// corner stays in the work area, so that the caption is within reach.
MenuPlacement PlaceMenuWindow(const FormSettings& form, int32_t monitorDpi, const Rect& workArea);

}  // namespace corvela
