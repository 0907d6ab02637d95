#pragma once
// The bands of the menu window's outer panel, and 3D frames drawn wider than the platform draws
// them, in the 3D colours.

#include <windows.h>

#include <functional>

#include "platform/win/Handles.h"
#include "platform/win/PaintMessage.h"
#include "player/MenuFrame.h"

namespace corvela::win {

// One band of a panel: the sunken single border, lowered or raised rings of button shadow and
// highlight, or space in fill.
void DrawPanelBand(HDC dc, const PanelBand& band, HBRUSH fill);

// A frame the platform draws one pixel per ring (DrawEdge, DrawFrameControl), width device pixels
// wide: draw paints it at its own width into a small picture, and each of its rings is repeated
// over its share of width, corners included, in the colours read from that picture. With
// fillMiddle the inside takes the colour draw filled it with; otherwise it stays untouched.
void DrawWideFrame(HDC dc, const RECT& bounds, int rings, int width, bool fillMiddle,
                   const std::function<void(HDC, RECT&)>& draw);

}  // namespace corvela::win
