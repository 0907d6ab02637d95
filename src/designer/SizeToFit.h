#pragma once
// Size to Fit: a label or button takes the size its caption needs, measured with the player's
// text measuring and checked against its layout, so that the menu shows the whole caption in the
// normal and the hot-track font alike. AutoSize labels size themselves and are left alone.

#include <vector>

#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "project/Model.h"

namespace corvela {

// Room left between a button's frame and its glyph and caption when its margin or spacing is
// computed, in design pixels.
inline constexpr int32_t kFitPadding = 4;

bool CanSizeToFit(const MenuObject& obj);

// The width and height the object needs; glyph is the size of a button's glyph (0 x 0: none).
Size FittedSize(const MenuObject& obj, TextMeasurer& measurer, Size glyph);

// Gives the object its fitted size. A right-aligned label keeps its right edge and a centred one
// its middle; everything else keeps its top-left corner. False when nothing changed.
bool SizeObjectToFit(MenuObject& obj, TextMeasurer& measurer, Size glyph);

}  // namespace corvela
