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

// Where the menu window goes on a screen of screenWidth x screenHeight device pixels: its size
// scaled; a centred window centred again at that size, a placed one at its scaled position. At
// the design resolution it is exactly the stored position and size.
Rect ScaledWindow(const FormSettings& form, const DpiScale& scale, int32_t screenWidth, int32_t screenHeight);

}  // namespace corvela
