#include "project/AppState.h"

#include <algorithm>

#include "project/Resources.h"

namespace corvela {

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
  p.PublishStartPage = false;
  p.UnknownExtensions.clear();
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
