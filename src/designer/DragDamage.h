#pragma once
// Which part of the design surface's picture a drag step changed. A step moves only the
// selected objects, so only what they covered and cover now is made again; that keeps dragging
// smooth on menus with many objects.

#include <optional>
#include <vector>

#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

// Every object's bounds in list order, as a picture made now shows them.
std::vector<Rect> ObjectBounds(const MenuProject& project);

// The union of each selected object's bounds before and now, grown to take in its frame and
// handles; nothing when the whole picture must be made again (no drag in progress, or objects
// came or went since before was taken).
std::optional<Rect> DragDamage(const std::vector<Rect>& before, const MenuProject& project, bool dragging);

}  // namespace corvela
