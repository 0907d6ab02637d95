#pragma once
// The readout beside the pointer while objects are dragged or resized on the design surface:
// where the selection is and how large, in design pixels. The window draws it in a small box
// and repaints where the box was, so it leaves no trail.

#include <optional>
#include <string>

#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

// "x, y   w × h" of the selected objects' bounds (of the object itself when one is selected);
// nothing when none is selected.
std::optional<std::string> DragReadoutText(const MenuProject& project);

// Room between the pointer and the box, so that the pointer does not hide it.
inline constexpr int32_t kReadoutGap = 16;

// The box of this size below and to the right of the pointer, turned to the other side of the
// pointer where it would leave the area, and kept inside the area where it can be.
Rect PlaceReadout(Point pointer, Size box, Size area);

}  // namespace corvela
