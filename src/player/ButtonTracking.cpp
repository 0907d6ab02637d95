#include "player/ButtonTracking.h"

#include <algorithm>

namespace corvela {

namespace {

const ButtonControl* ButtonAt(const MenuProject& project, int index) {
  if (index < 0 || static_cast<size_t>(index) >= project.Objects.size()) return nullptr;
  const MenuObject& obj = *project.Objects[static_cast<size_t>(index)];
  return obj.Kind == ObjectKind::Button ? obj.AsButton() : nullptr;
}

// Runs change on states and reports the buttons that now draw differently.
template <typename Change>
TrackResult Track(ButtonStates& states, const MenuProject& project, Change change) {
  const ButtonStates before = states;
  TrackResult result;
  result.Clicked = change(states);
  std::vector<int> touched = {before.PressedIndex, before.MouseInsideIndex, states.PressedIndex,
                              states.MouseInsideIndex};
  std::sort(touched.begin(), touched.end());
  touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
  for (int index : touched) {
    if (index < 0) continue;
    if (LookOf(before, project, index) != LookOf(states, project, index)) result.Repaint.push_back(index);
  }
  return result;
}

void MoveTo(ButtonStates& s, int under) {
  if (s.PressedIndex >= 0) {
    s.PressedInside = under == s.PressedIndex;
    s.MouseInsideIndex = s.PressedInside ? s.PressedIndex : -1;
  } else {
    s.MouseInsideIndex = under;
  }
}

}  // namespace

ButtonLook LookOf(const ButtonStates& states, const MenuProject& project, int index) {
  const ButtonControl* button = ButtonAt(project, index);
  if (!button) return ButtonLook::Up;
  if (states.PressedIndex == index && states.PressedInside) return ButtonLook::Down;
  if (button->Flat && states.MouseInsideIndex == index) return ButtonLook::Hover;
  return ButtonLook::Up;
}

TrackResult TrackMouseDown(ButtonStates& states, const MenuProject& project, int under) {
  return Track(states, project, [under](ButtonStates& s) {
    if (under < 0) return -1;
    s.PressedIndex = under;
    s.PressedInside = true;
    s.MouseInsideIndex = under;
    return -1;
  });
}

TrackResult TrackMouseMove(ButtonStates& states, const MenuProject& project, int under) {
  return Track(states, project, [under](ButtonStates& s) {
    MoveTo(s, under);
    return -1;
  });
}

TrackResult TrackMouseUp(ButtonStates& states, const MenuProject& project, int under) {
  return Track(states, project, [under](ButtonStates& s) {
    const int clicked = s.PressedIndex >= 0 && under == s.PressedIndex ? s.PressedIndex : -1;
    s.PressedIndex = -1;
    s.PressedInside = false;
    s.MouseInsideIndex = under;
    return clicked;
  });
}

TrackResult TrackMouseLeave(ButtonStates& states, const MenuProject& project) {
  return TrackMouseMove(states, project, -1);
}

TrackResult TrackCaptureLost(ButtonStates& states, const MenuProject& project) {
  return Track(states, project, [](ButtonStates& s) {
    s.PressedIndex = -1;
    s.PressedInside = false;
    return -1;
  });
}

}  // namespace corvela
