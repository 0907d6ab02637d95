#pragma once
// The keyboard in the running menu: the menu window's key and character messages turned into
// MenuFocus calls, and what comes back carried out on the window: the hot look moved, the focus
// rectangle drawn where Windows' focus cues allow it, a pane given the keyboard, a link run, the
// menu closed. Keys typed into a pane that would leave it (Tab, Escape, Alt+letter) are taken from
// the thread's messages before the pane sees them.

#include <windows.h>

#include <functional>

#include "platform/DpiScale.h"
#include "platform/win/Handles.h"
#include "player/MenuFocus.h"
#include "player/win/MenuPanels.h"
#include "project/AppState.h"

namespace corvela::win {

class MenuKeyboard : public PanelFocusHooks {
 public:
  MenuKeyboard(AppState& state, const DpiScale& scale, InnerPanelWindow& panel)
      : state_(state), scale_(scale), panel_(panel) {}
  ~MenuKeyboard() override;
  MenuKeyboard(const MenuKeyboard&) = delete;
  MenuKeyboard& operator=(const MenuKeyboard&) = delete;

  // The menu window's messages: keys, characters, activation and the focus cues' state. True when
  // the message was the keyboard's, with what the window returns in result.
  bool OnMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  // After the first paint: focus cues start hidden (unless Windows is set to always show them),
  // and keys typed into panes are watched once there are panes that take the keyboard.
  void Start(HWND window);

  // The focus was put on an object from outside the keys (a screen reader): -1 takes it away.
  void FocusObject(int index);
  int Focused() const { return focus_.Focused(); }
  // The focus moved: previous and focused are object indexes, -1 for none.
  std::function<void(int previous, int focused)> OnFocusMoved;

  // PanelFocusHooks
  void PaintFocus(HDC dc) override;
  void MouseHandled(UINT msg) override;

 private:
  bool KeyDown(WPARAM key, LPARAM lp);
  bool Typed(WPARAM wp, LPARAM lp);
  void Apply(const FocusStep& step);
  // After a key: the keyboard goes to the pane of the focused object, or back to the menu window.
  void MoveKeyboardFocus(const FocusStep& step);
  // Hidden until the keys first move the focus, unless Windows shows them: set so, or told to by
  // the user (WM_UPDATEUISTATE). Windows' own state of the window is kept alongside for the
  // panes' controls, but not read: not every system keeps it.
  bool CuesHidden() const;
  void InvalidateFocus(int index);
  // The object whose pane window is hwnd or holds it; -1 for none.
  int PaneObjectOf(HWND hwnd) const;
  static LRESULT CALLBACK WatchPaneKeys(int code, WPARAM wp, LPARAM lp);

  AppState& state_;
  const DpiScale& scale_;
  InnerPanelWindow& panel_;
  HWND window_ = nullptr;
  MenuFocus focus_;
  bool windowCues_ = false;
  UniqueHook hook_;
};

}  // namespace corvela::win
