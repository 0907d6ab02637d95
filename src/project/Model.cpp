#include "project/Model.h"

#include <algorithm>

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

const char* KindName(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Label:
      return "Label";
    case ObjectKind::Button:
      return "Button";
    case ObjectKind::Image:
      return "Image";
    case ObjectKind::Avi:
      return "AVI";
    case ObjectKind::Html:
      return "HTML";
    case ObjectKind::Rtf:
      return "RTF";
    case ObjectKind::Movie:
      return "Movie";
  }
  return "Object";
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

}  // namespace corvela
