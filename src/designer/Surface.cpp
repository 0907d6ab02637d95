#include "designer/Surface.h"

#include <algorithm>

#include "designer/Selection.h"
#include "platform/Platform.h"
#include "project/Resources.h"

namespace corvela {

PressOutcome DesignSurface::MouseDown(MouseButton button, bool ctrl, Point p, DesignTool tool) {
  if (button != MouseButton::Left) return PressOutcome::Ignored;
  // The panel's border and bevels lie around the picture of the menu: nothing is placed or
  // selected there.
  const Size panel = host_.InnerPanelSize();
  if (p.X < 0 || p.Y < 0 || p.X >= panel.Width || p.Y >= panel.Height) return PressOutcome::Ignored;
  if (std::optional<ObjectKind> kind = KindAddedBy(tool)) {
    AddObject(*kind, p.X, p.Y);
    return PressOutcome::ObjectAdded;
  }
  PressWithSelectTool(ctrl, p);
  return PressOutcome::Pressed;
}

void DesignSurface::PressWithSelectTool(bool ctrl, Point p) {
  auto& objects = state_.Project.Objects;
  moved_ = false;
  dragMode_ = DragState::Band;
  pointer_ = p;
  MenuObject* pressed = nullptr;
  if (!ctrl) {
    hitCode_ = kHitNothing;
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
      MenuObject& obj = **it;
      hitCode_ = obj.Selected ? HitTestHandles(p.X, p.Y, obj) : kHitNothing;
      if (hitCode_ == kHitNothing && StrictlyInside(obj, p.X, p.Y)) {
        lastPoint_ = p;
        dragMode_ = DragState::Pressed;
        pressed = &obj;
        break;
      }
      if (hitCode_ >= kHitBody) {
        lastPoint_ = p;
        dragMode_ = DragState::Dragging;
        break;
      }
    }
  }
  if (dragMode_ == DragState::Pressed) {
    for (auto& obj : objects) obj->Selected = obj.get() == pressed;
    hitCode_ = kHitBody;
    dragMode_ = DragState::Dragging;
  }
  bandOrigin_ = p;
  RefreshSurface();
}

CursorShape DesignSurface::MouseMove(Point p) {
  switch (dragMode_) {
    case DragState::Idle:
      cursor_ = CursorAt(state_.Project, p.X, p.Y);
      break;
    case DragState::Band:
      if (p == pointer_) break;
      pointer_ = p;
      moved_ = true;
      DrawBand(NormalisedBand(bandOrigin_, p));
      break;
    case DragState::Dragging:
      if (p == pointer_) break;
      pointer_ = p;
      DragStep(p);
      break;
    case DragState::Pressed:
      break;
  }
  return cursor_;
}

void DesignSurface::DragStep(Point p) {
  moved_ = true;
  const int32_t dx = p.X - lastPoint_.X;
  const int32_t dy = p.Y - lastPoint_.Y;
  for (auto& obj : state_.Project.Objects)
    if (obj->Selected) ApplyDragStep(obj->Base(), hitCode_, dx, dy);
  state_.Modified = true;
  lastPoint_ = p;
  // The refresh clamps: an object held at an edge follows again as soon as the pointer turns.
  RefreshSurface();
}

void DesignSurface::MouseUp(bool ctrl, Point p) {
  if (dragMode_ != DragState::Dragging) {
    if (moved_)
      SelectByBand(ctrl);
    else
      SelectByClick(ctrl, p);
  }
  dragMode_ = DragState::Idle;
  moved_ = false;
  DrawBand(kNoBand);
  RefreshSurface();
}

void DesignSurface::CancelPress() {
  if (dragMode_ == DragState::Idle) return;
  dragMode_ = DragState::Idle;
  moved_ = false;
  DrawBand(kNoBand);
  RefreshSurface();
}

void DesignSurface::SelectByBand(bool ctrl) {
  for (auto& obj : state_.Project.Objects) {
    if (TouchesBand(*obj, bandRect_))
      obj->Selected = ctrl ? !obj->Selected : true;
    else
      obj->Selected = false;
  }
}

void DesignSurface::SelectByClick(bool ctrl, Point p) {
  auto& objects = state_.Project.Objects;
  bool found = false;
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    MenuObject& obj = **it;
    if (ContainsPoint(obj, p.X, p.Y)) {
      if (found) continue;  // lower objects under the point keep their state
      found = true;
      obj.Selected = ctrl ? !obj.Selected : true;
    } else if (!ctrl) {
      obj.Selected = false;
    }
  }
}

void DesignSurface::DrawBand(const Rect& band) {
  const Rect previous = bandRect_;
  bandRect_ = band;
  if (previous != kNoBand || band != kNoBand) host_.BandChanged(previous, band);
}

std::string DesignSurface::Caption() const {
  return state_.Project.Form.Caption + " [Design]";
}

void DesignSurface::RefreshSurface() {
  ClampObjectPositions(state_.Project, host_.InnerPanelSize());
  // The picture is made afresh, so a band drawn on the old one is gone without being erased.
  bandRect_ = kNoBand;
  host_.RepaintSurface();
  RenumberTags(state_);
}

void DesignSurface::AddObject(ObjectKind kind, int32_t x, int32_t y) {
  auto& objects = state_.Project.Objects;
  for (auto& obj : objects) obj->Selected = false;
  objects.push_back(MakeNewObject(kind));
  MenuObject& added = *objects.back();
  added.Base().Left = x;
  added.Base().Top = y;
  host_.ControlCreated(added);
  ApplyObjectResources(state_, added);
  state_.Modified = true;
  RefreshSurface();
}

void DesignSurface::SelectAllObjects() {
  for (auto& obj : state_.Project.Objects) obj->Selected = true;
  RefreshSurface();
}

void DesignSurface::DeleteSelectedObjects() {
  auto& objects = state_.Project.Objects;
  for (size_t i = objects.size(); i-- > 0;)
    if (objects[i]->Selected) RemoveObject(state_, objects[i].get());
  RefreshSurface();
}

void DesignSurface::ClearAllObjects() {
  ClearObjects(state_);
  RefreshSurface();
}

void DesignSurface::BringSelectedToFront() {
  const int index = SingleSelectedIndex(state_.Project);
  if (index < 0) return;
  auto& objects = state_.Project.Objects;
  std::rotate(objects.begin() + index, objects.begin() + index + 1, objects.end());
  RenumberTags(state_);
  // After the move, so that the panes are restacked in the new order.
  host_.ControlBroughtToFront(*objects.back());
  state_.Modified = true;
  RefreshSurface();
}

void DesignSurface::SendSelectedToBack() {
  const int index = SingleSelectedIndex(state_.Project);
  if (index < 0) return;
  auto& objects = state_.Project.Objects;
  std::rotate(objects.begin(), objects.begin() + index, objects.begin() + index + 1);
  RenumberTags(state_);
  host_.ControlSentToBack(*objects.front());
  state_.Modified = true;
  RefreshSurface();
}

}  // namespace corvela
