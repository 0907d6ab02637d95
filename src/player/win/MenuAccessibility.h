#pragma once
// The running menu for screen readers: the menu window answers UI Automation's request for its
// element with the menu's elements (MenuElements.h), runs the links they invoke and tells
// listening clients where the keyboard's focus went. UI Automation's DLL is loaded by the first
// request, never on the player's start.

#include <windows.h>

#include <memory>

#include "platform/DpiScale.h"
#include "platform/win/Handles.h"
#include "player/win/MenuElements.h"
#include "project/AppState.h"

namespace corvela::win {

class InnerPanelWindow;
class MenuKeyboard;

class MenuAccessibility {
 public:
  MenuAccessibility(AppState& state, const DpiScale& scale, InnerPanelWindow& panel, MenuKeyboard& keyboard);
  // Elements that clients still hold answer that they are gone.
  ~MenuAccessibility();
  MenuAccessibility(const MenuAccessibility&) = delete;
  MenuAccessibility& operator=(const MenuAccessibility&) = delete;

  // WM_GETOBJECT, invoked links and the window's end. True when the message was handled here.
  bool OnMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // The menu window's element, as a client gets it.
  ComPtr<IRawElementProviderSimple> Root(HWND window);
  // The keyboard's focus is now on the object at index (-1: none).
  void FocusMoved(int index);

 private:
  AppState& state_;
  InnerPanelWindow& panel_;
  std::shared_ptr<MenuElementSource> source_;
  bool served_ = false;
};

}  // namespace corvela::win
