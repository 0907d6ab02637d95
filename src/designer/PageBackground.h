#pragma once
// The picture under the start page's objects: the menu window's client area as the player paints
// it before the objects, the outer panel's bands and the inner panel's gradient or colour.

#include "player/MenuFrame.h"
#include "project/Gradient.h"

namespace corvela {

// width x height pixels; panels is the window's layout for that client size.
PixelBuffer PaintPageBackground(const MenuProject& project, const MenuPanelLayout& panels, int32_t width,
                                int32_t height, SystemColours* colours);

// The inner panel in the window's client area.
Rect InnerPanelInClient(const MenuPanelLayout& panels);

}  // namespace corvela
