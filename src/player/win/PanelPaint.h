#pragma once
// The bands of the menu window's outer panel, drawn in the 3D colours.

#include <windows.h>

#include "platform/win/Handles.h"
#include "platform/win/PaintMessage.h"
#include "player/MenuFrame.h"

namespace corvela::win {

// One band of a panel: the sunken single border, lowered or raised rings of button shadow and
// highlight, or space in fill.
void DrawPanelBand(HDC dc, const PanelBand& band, HBRUSH fill);

}  // namespace corvela::win
