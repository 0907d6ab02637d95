#include "player/MenuFocus.h"

#include "player/FocusOrder.h"

namespace corvela {

namespace {

const MenuObject* ObjectAt(const MenuProject& project, int index) {
  if (index < 0 || static_cast<size_t>(index) >= project.Objects.size()) return nullptr;
  return project.Objects[static_cast<size_t>(index)].get();
}

bool IsPane(const MenuProject& project, int index) {
  const MenuObject* obj = ObjectAt(project, index);
  return obj && IsKeyboardPane(*obj);
}

ArrowKey ArrowOf(MenuKey key) {
  switch (key) {
    case MenuKey::Left:
      return ArrowKey::Left;
    case MenuKey::Right:
      return ArrowKey::Right;
    case MenuKey::Up:
      return ArrowKey::Up;
    default:
      return ArrowKey::Down;
  }
}

}  // namespace

FocusStep MenuFocus::Begin(const MenuProject& project) {
  // Indexes of objects that are gone (a project changed without Reset) are forgotten.
  if (!ObjectAt(project, focused_)) focused_ = -1;
  if (!ObjectAt(project, hot_)) hot_ = -1;
  if (!ObjectAt(project, anchor_)) anchor_ = -1;
  FocusStep step;
  step.Previous = step.Focused = focused_;
  step.Hot = hot_;
  return step;
}

void MenuFocus::MoveTo(const MenuProject& project, FocusStep& step, int index) {
  focused_ = anchor_ = index;
  step.Focused = index;
  step.FocusMoved = step.Focused != step.Previous;
  const MenuObject* obj = ObjectAt(project, index);
  const int hot = obj && IsActionObject(*obj) ? index : -1;
  if (hot != hot_) {
    hot_ = step.Hot = hot;
    step.HotMoved = true;
  }
}

void MenuFocus::ShowCues(FocusStep& step) {
  step.CuesShown = !cues_;
  cues_ = true;
}

FocusStep MenuFocus::KeyDown(const MenuProject& project, MenuKey key, bool shift, bool repeat) {
  FocusStep step = Begin(project);
  switch (key) {
    case MenuKey::Escape:
      step.Handled = step.Close = true;
      break;
    case MenuKey::Enter:
    case MenuKey::Space: {
      const MenuObject* obj = ObjectAt(project, focused_);
      if (!obj || !IsActionObject(*obj)) break;
      step.Handled = true;
      if (!repeat) step.RunTag = obj->Base().Tag;
      break;
    }
    case MenuKey::Tab: {
      const int next = NextInFocusOrder(project, anchor_, shift);
      if (next < 0) break;
      step.Handled = true;
      MoveTo(project, step, next);
      ShowCues(step);
      break;
    }
    default: {
      if (IsPane(project, focused_)) break;
      const int first = NextInFocusOrder(project, -1, false);
      const MenuObject* firstObj = ObjectAt(project, first);
      if (!firstObj || !IsActionObject(*firstObj)) break;
      step.Handled = true;
      // Nothing to start from: an arrow starts where Tab would.
      const int next = anchor_ < 0 ? first : NearestInDirection(project, anchor_, ArrowOf(key));
      if (next >= 0) MoveTo(project, step, next);
      ShowCues(step);
      break;
    }
  }
  return step;
}

FocusStep MenuFocus::Character(const MenuProject& project, char32_t typed) {
  FocusStep step = Begin(project);
  const MnemonicMatch match = FindMnemonic(project, typed, anchor_);
  if (match.Count == 0) return step;
  step.Handled = true;
  MoveTo(project, step, match.Index);
  ShowCues(step);
  if (match.Count == 1) step.RunTag = project.Objects[static_cast<size_t>(match.Index)]->Base().Tag;
  return step;
}

FocusStep MenuFocus::HotChanged(const MenuProject& project, int hot) {
  FocusStep step = Begin(project);
  const MenuObject* obj = ObjectAt(project, hot);
  if (!obj) hot = -1;
  if (hot == hot_) return step;
  hot_ = step.Hot = hot;
  if (hot < 0) return step;
  anchor_ = hot;
  if (IsActionObject(*obj) && !IsPane(project, focused_)) {
    focused_ = step.Focused = hot;
    step.FocusMoved = step.Focused != step.Previous;
  }
  return step;
}

FocusStep MenuFocus::Focus(const MenuProject& project, int index) {
  FocusStep step = Begin(project);
  const MenuObject* obj = ObjectAt(project, index);
  if (obj && TakesFocus(*obj)) {
    MoveTo(project, step, index);
  } else {
    focused_ = step.Focused = -1;
    step.FocusMoved = step.Previous >= 0;
  }
  return step;
}

void MenuFocus::Reset() {
  focused_ = hot_ = anchor_ = -1;
}

}  // namespace corvela
