#include "player/win/AutoRunForm.h"

// The menu's panes: child windows made on first use, after the first paint.

#include "player/DpiLayout.h"

namespace corvela::win {

Pane* AutoRunForm::PaneOf(MenuObject& obj) {
  auto* pane = dynamic_cast<Pane*>(obj.Pane.get());
  if (pane && pane->Kind() == obj.Kind) return pane;
  obj.Pane.reset();
  if (!panel1_.hwnd()) return nullptr;
  std::unique_ptr<Pane> made = CreatePane(obj.Kind, panel1_.hwnd(), ScaledControl(obj.Base(), scale_));
  if (!made) return nullptr;
  made->Rescale(scale_);
  pane = made.get();
  obj.Pane = std::move(made);
  return pane;
}

void AutoRunForm::PlayAvi(MenuObject& obj, const std::string& path) {
  ShowContent(obj, path);
}

void AutoRunForm::NavigateHtml(MenuObject& obj, const std::string& url) {
  ShowContent(obj, url);
}

void AutoRunForm::LoadRtf(MenuObject& obj, const std::string& path) {
  ShowContent(obj, path);
}

void AutoRunForm::ShowContent(MenuObject& obj, const std::string& path) {
  if (beforeFirstPaint_) {
    pendingContents_.emplace_back(&obj, path);
    return;
  }
  Pane* pane = PaneOf(obj);
  if (auto* avi = dynamic_cast<AviPane*>(pane))
    avi->Play(path);
  else if (auto* html = dynamic_cast<HtmlPane*>(pane))
    html->Navigate(path);
  else if (auto* rtf = dynamic_cast<RtfPane*>(pane)) {
    rtf->UseThemeColours(ThemeColours());
    rtf->Load(path);
  }
}

bool AutoRunForm::ThemeColours() const {
  // The designer shows the menu as designed.
  return !state_.DesignerMode && state_.Env.Colours && state_.Env.Colours->HighContrast();
}

void AutoRunForm::ThemeChanged() {
  for (auto& obj : state_.Project.Objects)
    if (auto* rtf = obj ? dynamic_cast<RtfPane*>(obj->Pane.get()) : nullptr) rtf->UseThemeColours(ThemeColours());
}

void AutoRunForm::WireObjects() {
  // Each pane goes to the top in list order, so a later pane lies above an earlier one; all of
  // them are child windows and so lie above what the panel paints itself. Before the first
  // paint there are none yet.
  if (!beforeFirstPaint_) {
    for (auto& obj : state_.Project.Objects) {
      if (!obj) continue;
      Pane* pane = PaneOf(*obj);
      if (!pane) continue;
      pane->Place(ScaledControl(obj->Base(), scale_));
      pane->Rescale(scale_);
      ::SetWindowPos(pane->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  // The objects changed, the background did not.
  panel1_.ObjectsChanged();
}

}  // namespace corvela::win
