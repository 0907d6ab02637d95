#include "project/Model.h"

#include <algorithm>

#include "platform/Platform.h"
#include "project/Resources.h"

namespace corvela {

MenuObject::MenuObject(ObjectKind kind) : Kind(kind), Control(DefaultControlFor(kind)) {}

// Members go in the order the owner frees them: hot-track font, control, hot-track bitmap,
// hot-track picture, normal font, bitmap, picture.
MenuObject::~MenuObject() {
  Pane.reset();
  HotTrackBitmap.reset();
  HotTrackPicture.reset();
  Bitmap.reset();
  Picture.reset();
}

ControlBase& MenuObject::Base() {
  return std::visit([](auto& c) -> ControlBase& { return c; }, Control);
}

const ControlBase& MenuObject::Base() const {
  return std::visit([](const auto& c) -> const ControlBase& { return c; }, Control);
}

bool IsValidKind(uint8_t kind) { return kind < kObjectKindCount; }

ControlRecord DefaultControlFor(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Label:
      return LabelControl{};
    case ObjectKind::Button:
      return ButtonControl{};
    case ObjectKind::Image:
      return ImageControl{};
    case ObjectKind::Avi: {
      PaneControl c;
      c.Width = 100;
      c.Height = 80;
      return c;
    }
    case ObjectKind::Html: {
      PaneControl c;
      c.Width = 100;
      c.Height = 50;
      return c;
    }
    case ObjectKind::Rtf: {
      PaneControl c;
      c.Width = 185;
      c.Height = 89;
      return c;
    }
    case ObjectKind::Movie: {
      PaneControl c;
      c.Width = 185;
      c.Height = 41;
      return c;
    }
  }
  return PaneControl{};
}

std::unique_ptr<MenuObject> MakeNewObject(ObjectKind kind) {
  auto obj = std::make_unique<MenuObject>(kind);
  obj->Selected = true;
  if (auto* label = obj->AsLabel()) {
    label->AutoSize = false;
    label->Transparent = true;
    label->WordWrap = true;
    label->Caption = "New Label";
  } else if (auto* button = obj->AsButton()) {
    button->Caption = "New Button";
    button->Width = 120;
    button->Height = 40;
  } else if (kind == ObjectKind::Html) {
    obj->Base().Width = 105;
    obj->Base().Height = 105;
  }
  return obj;
}

void DisposeObject(std::unique_ptr<MenuObject> obj) { obj.reset(); }

int IndexOf(const AppState& state, const MenuObject* obj) {
  const auto& objects = state.Project.Objects;
  for (size_t i = 0; i < objects.size(); ++i)
    if (objects[i].get() == obj) return static_cast<int>(i);
  return -1;
}

void RenumberTags(AppState& state) {
  auto& objects = state.Project.Objects;
  for (size_t i = 0; i < objects.size(); ++i) objects[i]->Base().Tag = static_cast<int32_t>(i);
}

void RemoveObject(AppState& state, const MenuObject* obj) {
  int index = IndexOf(state, obj);
  if (index < 0) return;
  auto& objects = state.Project.Objects;
  std::unique_ptr<MenuObject> owned = std::move(objects[static_cast<size_t>(index)]);
  objects.erase(objects.begin() + index);
  DisposeObject(std::move(owned));
  RenumberTags(state);
  state.Modified = true;
}

void ClearObjects(AppState& state) {
  auto& objects = state.Project.Objects;
  if (objects.empty()) return;
  for (auto& obj : objects) DisposeObject(std::move(obj));
  objects.clear();
  state.Modified = true;
}

void NewProject(AppState& state) {
  ClearObjects(state);
  MenuProject& p = state.Project;
  p.Form.Caption = "AutoRun";
  p.Form.BorderStyle = static_cast<uint8_t>(FormBorderStyle::Sizeable);
  p.Form.Width = 600;
  p.Form.Height = 420;
  p.Form.TransparentColor = false;
  p.Form.TransparentColorValue = 0;
  if (state.View) state.View->UseApplicationIcon();
  p.FormIcon.clear();
  p.StartSound.clear();
  p.StartLink = ObjectLink{};
  p.BackColor = kClBlue;
  p.GradientColor = kClWhite;
  p.GradientStyle = static_cast<uint8_t>(GradientStyle::BottomTop);
  p.Panel.BevelInner = 0;
  p.Panel.BevelOuter = 0;
  p.Panel.BevelWidth = 1;
  p.Panel.BorderWidth = 0;
  p.Panel.BorderStyle = 0;
  CentreWindowOnScreen(state);
  if (state.View) state.View->FormSettingsChanged();
  ApplyFormSettings(state);
}

void CentreWindowOnScreen(AppState& state) {
  FormSettings& f = state.Project.Form;
  // Integer division truncating toward zero, as C++ does. A loaded file may hold any width: the
  // difference is taken in 64 bits, and half of it always fits again.
  f.Left = static_cast<int32_t>((int64_t{state.Env.Display->Width()} - f.Width) / 2);
  f.Top = static_cast<int32_t>((int64_t{state.Env.Display->Height()} - f.Height) / 2);
}

}  // namespace corvela
