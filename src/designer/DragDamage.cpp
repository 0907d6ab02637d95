#include "designer/DragDamage.h"

#include "designer/SurfaceGeometry.h"

namespace corvela {

namespace {
Rect BoundsOf(const ControlBase& b) {
  return {b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
}
}  // namespace

std::vector<DrawnObject> DrawnObjects(const MenuProject& project) {
  std::vector<DrawnObject> drawn;
  drawn.reserve(project.Objects.size());
  for (const auto& obj : project.Objects) drawn.push_back({BoundsOf(obj->Base()), obj->Selected});
  return drawn;
}

std::optional<Rect> DragDamage(const std::vector<DrawnObject>& before, const MenuProject& project, bool dragging) {
  const auto& objects = project.Objects;
  if (!dragging || before.size() != objects.size()) return std::nullopt;
  Rect damage;
  for (size_t i = 0; i < objects.size(); ++i) {
    if (!objects[i]->Selected && !before[i].Selected) continue;
    // The frame lies a pixel outside the object, the handles reach three pixels round its edges.
    const Rect both = Inflated(Union(BoundsOf(objects[i]->Base()), before[i].Bounds), kHandleReach + 2);
    damage = Union(damage, both);
  }
  return damage;
}

}  // namespace corvela
