#include "player/PanelMouse.h"

#include <algorithm>

#include "player/HotTracking.h"

namespace corvela {

namespace {

bool IsIndex(const MenuProject& project, int index) {
  return index >= 0 && static_cast<size_t>(index) < project.Objects.size();
}

int Under(const MenuProject& project, int32_t x, int32_t y, bool overPanel) {
  return overPanel ? PaintedObjectAt(project, x, y) : -1;
}

Rect BoundsOf(const MenuObject& obj) {
  const ControlBase& b = obj.Base();
  return Rect{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
}

// Objects whose font or picture was swapped follow it when they are AutoSize; every changed
// object is repainted where it was and where it is now.
PanelMouseResult Collect(AppState& state, const std::vector<int>& swapped, const std::vector<int>& restyled) {
  std::vector<int> changed = swapped;
  changed.insert(changed.end(), restyled.begin(), restyled.end());
  std::sort(changed.begin(), changed.end());
  changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
  PanelMouseResult result;
  for (int index : changed) {
    if (!IsIndex(state.Project, index)) continue;
    MenuObject& obj = *state.Project.Objects[static_cast<size_t>(index)];
    const Rect before = BoundsOf(obj);
    result.Repaint.push_back(before);
    if (std::find(swapped.begin(), swapped.end(), index) == swapped.end()) continue;
    ApplyAutoSize(obj, state.Env.Text);
    if (BoundsOf(obj) != before) result.Repaint.push_back(BoundsOf(obj));
  }
  return result;
}

}  // namespace

PanelMouseResult PanelMouse::Move(AppState& state, int32_t x, int32_t y, bool overPanel) {
  const MenuProject& project = state.Project;
  std::vector<int> swapped;
  if (Pressing()) {
    // The pressed control holds the mouse, so the moves are its own and it stays the hot one.
    if (IsIndex(project, states_.PressedIndex))
      swapped = ObjectMouseMove(state, project.Objects[static_cast<size_t>(states_.PressedIndex)]->Base().Tag);
  } else if (overPanel) {
    swapped = PanelMouseMove(state, x, y);
  }
  const TrackResult looks = TrackMouseMove(states_, project, Under(project, x, y, overPanel));
  return Collect(state, swapped, looks.Repaint);
}

PanelMouseResult PanelMouse::Down(AppState& state, int32_t x, int32_t y, bool overPanel, bool secondOfDouble) {
  releaseClicks_ = !secondOfDouble;
  const int under = Under(state.Project, x, y, overPanel);
  // A press on the background starts nothing.
  if (under < 0) return {};
  const TrackResult looks = TrackMouseDown(states_, state.Project, under);
  return Collect(state, {}, looks.Repaint);
}

PanelMouseResult PanelMouse::Up(AppState& state, int32_t x, int32_t y, bool overPanel) {
  const MenuProject& project = state.Project;
  const TrackResult looks = TrackMouseUp(states_, project, Under(project, x, y, overPanel));
  // The panel has the mouse back: what lies under it now becomes hot.
  const std::vector<int> swapped = overPanel ? PanelMouseMove(state, x, y) : std::vector<int>{};
  PanelMouseResult result = Collect(state, swapped, looks.Repaint);
  const bool clicks = releaseClicks_;
  releaseClicks_ = true;
  if (clicks && IsIndex(project, looks.Clicked))
    result.ClickedTag = project.Objects[static_cast<size_t>(looks.Clicked)]->Base().Tag;
  return result;
}

PanelMouseResult PanelMouse::Leave(AppState& state, bool leftWindow) {
  // While a press is held the panel keeps the mouse and its moves say where it is.
  if (Pressing()) return {};
  const std::vector<int> swapped = leftWindow ? Image1MouseMove(state) : std::vector<int>{};
  return Collect(state, swapped, TrackMouseLeave(states_, state.Project).Repaint);
}

PanelMouseResult PanelMouse::CaptureLost(AppState& state) {
  return Collect(state, {}, TrackCaptureLost(states_, state.Project).Repaint);
}

PanelMouseResult PanelMouse::Highlight(AppState& state, int index) {
  return Collect(state, SetHotObject(state, index), {});
}

bool ShowsHandAt(const MenuProject& project, int32_t x, int32_t y) {
  const int index = PaintedObjectAt(project, x, y);
  return index >= 0 && project.Objects[static_cast<size_t>(index)]->HasLink();
}

}  // namespace corvela
