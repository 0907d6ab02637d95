#include "player/win/MenuElementParts.h"

#include "player/win/Panes.h"

namespace corvela::win::elements {

bool Alive(const MenuElementSource& s) {
  return s.State && s.Window && ::IsWindow(s.Window);
}

AccessibleMenu TreeOf(const MenuElementSource& s) {
  return BuildAccessibleTree(s.State->Project);
}

int PositionOf(const AccessibleMenu& menu, int index) {
  for (size_t i = 0; i < menu.Nodes.size(); ++i)
    if (menu.Nodes[i].ObjectIndex == index) return static_cast<int>(i);
  return -1;
}

const MenuObject* ObjectAt(const MenuElementSource& s, int index) {
  const auto& objects = s.State->Project.Objects;
  return index >= 0 && static_cast<size_t>(index) < objects.size() ? objects[static_cast<size_t>(index)].get() : nullptr;
}

HWND PaneWindowOf(const MenuElementSource& s, int index) {
  const MenuObject* obj = ObjectAt(s, index);
  const auto* pane = obj ? dynamic_cast<const Pane*>(obj->Pane.get()) : nullptr;
  return pane ? pane->Handle() : nullptr;
}

UiaRect ScreenRect(const MenuElementSource& s, const Rect& design) {
  RECT client{};
  ::GetClientRect(s.Panel, &client);
  const Rect shown = ClippedTo(s.Scale->Bounds(design), client.right, client.bottom);
  if (shown.IsEmpty()) return {0, 0, 0, 0};
  POINT origin{0, 0};
  ::ClientToScreen(s.Panel, &origin);
  return {static_cast<double>(int64_t{shown.Left} + origin.x), static_cast<double>(int64_t{shown.Top} + origin.y),
          static_cast<double>(shown.Width()), static_cast<double>(shown.Height())};
}

}  // namespace corvela::win::elements
