#include "player/win/MenuAccessibility.h"

#include "player/HotTracking.h"
#include "player/Links.h"
#include "player/win/MenuPanels.h"

namespace corvela::win {

MenuAccessibility::MenuAccessibility(AppState& state, const DpiScale& scale, InnerPanelWindow& panel,
                                     MenuKeyboard& keyboard)
    : state_(state), panel_(panel), source_(std::make_shared<MenuElementSource>()) {
  source_->State = &state;
  source_->Scale = &scale;
  source_->Keyboard = &keyboard;
}

MenuAccessibility::~MenuAccessibility() {
  source_->State = nullptr;
  source_->Keyboard = nullptr;
}

ComPtr<IRawElementProviderSimple> MenuAccessibility::Root(HWND window) {
  source_->Window = window;
  // The panel's window is made after this object: it is read when a client first asks.
  source_->Panel = panel_.hwnd();
  return MakeMenuRootElement(source_);
}

bool MenuAccessibility::OnMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  // The designer's menu window is never shown: nobody reads it.
  if (state_.DesignerMode) return false;
  switch (msg) {
    case WM_GETOBJECT: {
      if (static_cast<LONG>(lp) != kUiaRootObjectId) return false;
      UiAutomationLibrary* uia = UiAutomationLibrary::Get();
      if (!uia) return false;
      served_ = true;
      result = uia->ReturnRawElementProvider(window, wp, lp, Root(window).get());
      return true;
    }
    case kInvokeObjectMessage:
      ObjectClick(state_, static_cast<int32_t>(wp));
      result = 0;
      return true;
    case WM_DESTROY:
      // UI Automation lets go of what it was given for the window.
      if (served_) {
        if (UiAutomationLibrary* uia = LoadedUiAutomation()) uia->ReturnRawElementProvider(window, 0, 0, nullptr);
      }
      return false;
  }
  return false;
}

void MenuAccessibility::FocusMoved(int index) {
  UiAutomationLibrary* uia = LoadedUiAutomation();
  if (!uia || !source_->Window || !uia->ClientsAreListening()) return;
  // A pane's window tells of its own focus; nothing focused leaves the window's element with it.
  const auto& objects = state_.Project.Objects;
  if (index >= 0 && static_cast<size_t>(index) < objects.size() && !IsPainted(objects[static_cast<size_t>(index)]->Kind))
    return;
  ComPtr<IRawElementProviderSimple> element = index >= 0 ? MakeMenuObjectElement(source_, index) : Root(source_->Window);
  if (element) uia->RaiseAutomationEvent(element.get(), kUiaFocusChangedEvent);
}

}  // namespace corvela::win
