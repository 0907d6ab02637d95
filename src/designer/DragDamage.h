#pragma once
// Which part of the design surface's picture a drag step changed. A step moves only the
// selected objects, so only what they covered and cover now is made again; that keeps dragging
// smooth on menus with many objects.

#include <optional>
#include <vector>

#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

// An object as a picture shows it: where, and whether it wears a frame and handles.
struct DrawnObject {
  Rect Bounds;
  bool Selected = false;
};

// Every object in list order, as a picture made now shows them.
std::vector<DrawnObject> DrawnObjects(const MenuProject& project);

// The union of the bounds before and now of each object that is selected now or was before (a
// press that moves the selection takes the old object's handles away), grown to take in its frame
// and handles; nothing when the whole picture must be made again (no drag in progress, or objects
// came or went since before was taken).
std::optional<Rect> DragDamage(const std::vector<DrawnObject>& before, const MenuProject& project, bool dragging);

}  // namespace corvela
