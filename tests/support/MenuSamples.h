#pragma once
// A menu put together object by object, for rules that look at bounds, links and captions.

#include <string>
#include <utility>

#include "project/Model.h"

namespace corvela::testing {

struct SampleMenu {
  MenuProject Project;

  // An object at l, t of w x h; with a link it opens a file. Returns its index, which is its Tag.
  int Add(ObjectKind kind, int32_t l, int32_t t, int32_t w = 40, int32_t h = 20, bool linked = true,
          std::string caption = {}) {
    auto obj = std::make_unique<MenuObject>(kind);
    ControlBase& b = obj->Base();
    b.Left = l, b.Top = t, b.Width = w, b.Height = h;
    b.Tag = static_cast<int32_t>(Project.Objects.size());
    if (linked) obj->Link.Action = LinkAction::OpenFile;
    if (auto* label = obj->AsLabel())
      label->Caption = std::move(caption);
    else if (auto* button = obj->AsButton())
      button->Caption = std::move(caption);
    Project.Objects.push_back(std::move(obj));
    return b.Tag;
  }
  MenuObject& operator[](int index) { return *Project.Objects[static_cast<size_t>(index)]; }
};

}  // namespace corvela::testing
