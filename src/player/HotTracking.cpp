#include "player/HotTracking.h"

#include <algorithm>

namespace corvela {

namespace {

FontRecord* ControlFont(MenuObject& obj) {
  if (LabelControl* label = obj.AsLabel()) return &label->Font;
  if (ButtonControl* button = obj.AsButton()) return &button->Font;
  return nullptr;
}

// Applies one transition to one object; true when what it shows changed.
bool Swap(MenuObject& obj, bool becomes, bool leaves) {
  FontRecord* font = ControlFont(obj);
  const Graphic* shownBefore = obj.Shown;
  const FontRecord fontBefore = font ? *font : FontRecord{};
  switch (obj.Kind) {
    case ObjectKind::Button:
      // A button without a hot glyph changes only its font; one without its own glyph falls
      // back to the built-in glyph (null) when it stops being hot.
      if (becomes && obj.HotTrackBitmap) obj.Shown = obj.HotTrackBitmap.get();
      if (leaves) obj.Shown = obj.Bitmap.get();
      [[fallthrough]];
    case ObjectKind::Label:
      if (font && becomes) *font = obj.HotTrackFont;
      if (font && leaves) *font = obj.NormalFont;
      break;
    case ObjectKind::Image:
      // Without a normal picture the hot one stays after the mouse has left.
      if (becomes && obj.HotTrackPicture) obj.Shown = obj.HotTrackPicture.get();
      if (leaves && obj.Picture) obj.Shown = obj.Picture.get();
      break;
    default:
      break;
  }
  return obj.Shown != shownBefore || (font && *font != fontBefore);
}

}  // namespace

bool IsPainted(ObjectKind kind) {
  return kind == ObjectKind::Label || kind == ObjectKind::Button || kind == ObjectKind::Image;
}

std::vector<int> SetHotObject(AppState& state, int hot) {
  std::vector<int> changed;
  auto& objects = state.Project.Objects;
  for (size_t i = 0; i < objects.size(); ++i) {
    MenuObject& obj = *objects[i];
    const bool isHot = static_cast<int>(i) == hot;
    const bool was = obj.Hot;
    const bool becomes = isHot && !was;
    const bool leaves = !isHot && was;
    if ((becomes || leaves) && IsPainted(obj.Kind) && Swap(obj, becomes, leaves))
      changed.push_back(static_cast<int>(i));
    obj.Hot = isHot;
  }
  return changed;
}

int HotObject(const MenuProject& project) {
  const auto& objects = project.Objects;
  const auto hot = std::find_if(objects.begin(), objects.end(), [](const auto& obj) { return obj->Hot; });
  return hot == objects.end() ? -1 : static_cast<int>(hot - objects.begin());
}

std::vector<int> ObjectMouseMove(AppState& state, int32_t tag) {
  return SetHotObject(state, tag);
}

std::vector<int> Image1MouseMove(AppState& state) {
  return SetHotObject(state, -1);
}

int PaintedObjectAt(const MenuProject& project, int32_t x, int32_t y) {
  const auto& objects = project.Objects;
  for (size_t i = objects.size(); i-- > 0;) {
    const MenuObject& obj = *objects[i];
    if (!IsPainted(obj.Kind)) continue;
    const ControlBase& b = obj.Base();
    // 64-bit sums: bounds come from the project file and may be anything.
    const int64_t right = int64_t{b.Left} + b.Width;
    const int64_t bottom = int64_t{b.Top} + b.Height;
    if (x >= b.Left && x < right && y >= b.Top && y < bottom) return static_cast<int>(i);
  }
  return -1;
}

std::vector<int> PanelMouseMove(AppState& state, int32_t x, int32_t y) {
  const int index = PaintedObjectAt(state.Project, x, y);
  if (index < 0) return Image1MouseMove(state);
  return ObjectMouseMove(state, state.Project.Objects[static_cast<size_t>(index)]->Base().Tag);
}

}  // namespace corvela
