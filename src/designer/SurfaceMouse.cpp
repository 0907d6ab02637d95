#include "designer/Surface.h"

// The pointer on the design surface: press, drag, band and release, and what a double click opens.

#include "designer/Commands.h"
#include "designer/Selection.h"
#include "project/ProjectFile.h"

namespace corvela {

PressOutcome DesignSurface::MouseDown(MouseButton button, bool ctrl, Point p, DesignTool tool) {
  // The panel's border and bevels lie around the picture of the menu: nothing is placed or
  // selected there, neither by the press nor by its release.
  const Size panel = host_.InnerPanelSize();
  inertClick_ = p.X < 0 || p.Y < 0 || p.X >= panel.Width || p.Y >= panel.Height;
  if (inertClick_ || button != MouseButton::Left) return PressOutcome::Ignored;
  lastPress_ = p;
  // A press ends a burst of arrow keys: the next key is a step of its own.
  history_.EndBurst();
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
  dragBefore_.reset();
  if (dragMode_ == DragState::Dragging) {
    dragBefore_ = SnapshotObjects(state_.Project, SelectedIndices(state_.Project));
    dragKind_ = EditKindForDrag(hitCode_);
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

bool DesignSurface::MouseUp(bool ctrl, Point p) {
  if (inertClick_) {
    inertClick_ = false;
    return false;
  }
  if (dragMode_ != DragState::Dragging) {
    if (moved_)
      SelectByBand(ctrl);
    else
      SelectByClick(ctrl, p);
  }
  EndDrag();
  return true;
}

void DesignSurface::CancelPress() {
  if (dragMode_ == DragState::Idle) return;
  EndDrag();
}

void DesignSurface::AbortPress() {
  if (dragMode_ == DragState::Idle) return;
  if (dragMode_ == DragState::Dragging && moved_ && dragBefore_) {
    // Only the dragged objects' bounds changed since the press (no command runs during one).
    auto& objects = state_.Project.Objects;
    for (const ObjectSnapshot& shot : *dragBefore_) {
      MenuObject was;
      ByteReader in(shot.Record);
      if (shot.Index < 0 || static_cast<size_t>(shot.Index) >= objects.size() || !ReadObject(in, was)) continue;
      ControlBase& now = objects[static_cast<size_t>(shot.Index)]->Base();
      now.Left = was.Base().Left;
      now.Top = was.Base().Top;
      now.Width = was.Base().Width;
      now.Height = was.Base().Height;
    }
  }
  moved_ = false;
  dragBefore_.reset();
  inertClick_ = true;
  EndDrag();
}

void DesignSurface::EndDrag() {
  const bool dragged = dragMode_ == DragState::Dragging && moved_;
  dragMode_ = DragState::Idle;
  moved_ = false;
  DrawBand(kNoBand);
  RefreshSurface();
  // The objects moved so far stay where they are, so a drag cut short is recorded too.
  if (dragged) {
    if (dragKind_ == EditKind::Resize) KeepCommandSizes(SelectedIndices(state_.Project));
    Record(dragKind_, std::move(dragBefore_), SelectedIndices(state_.Project));
  }
  dragBefore_.reset();
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

unsigned DesignSurface::DoubleClickCommand(Point p) {
  auto& objects = state_.Project.Objects;
  MenuObject* hit = nullptr;
  for (auto it = objects.rbegin(); it != objects.rend() && !hit; ++it)
    if (ContainsPoint(**it, p.X, p.Y)) hit = it->get();
  if (!hit) return cmdFormProperties;
  for (auto& obj : objects) obj->Selected = obj.get() == hit;
  RefreshSurface();
  return cmdObjectProperties;
}

}  // namespace corvela
