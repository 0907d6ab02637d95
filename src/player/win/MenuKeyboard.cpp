#include "player/win/MenuKeyboard.h"

#include "platform/win/PaintMessage.h"
#include "player/DpiLayout.h"
#include "player/FocusOrder.h"
#include "player/HotTracking.h"
#include "player/Links.h"
#include "player/win/Panes.h"

namespace corvela::win {

namespace {

// The one keyboard whose panes the thread's message hook watches: a player has one menu window.
MenuKeyboard* g_watching = nullptr;

bool KeyOf(WPARAM key, MenuKey& out) {
  switch (key) {
    case VK_TAB:
      out = MenuKey::Tab;
      return true;
    case VK_LEFT:
      out = MenuKey::Left;
      return true;
    case VK_RIGHT:
      out = MenuKey::Right;
      return true;
    case VK_UP:
      out = MenuKey::Up;
      return true;
    case VK_DOWN:
      out = MenuKey::Down;
      return true;
    case VK_RETURN:
      out = MenuKey::Enter;
      return true;
    case VK_SPACE:
      out = MenuKey::Space;
      return true;
    case VK_ESCAPE:
      out = MenuKey::Escape;
      return true;
  }
  return false;
}

bool Down(int key) { return ::GetKeyState(key) < 0; }

// The key was already down: an auto-repeated press.
bool Repeated(LPARAM lp) { return (lp & (LPARAM{1} << 30)) != 0; }

// The pane window of an object, or null.
HWND PaneWindowOf(const MenuObject& obj) {
  const auto* pane = dynamic_cast<const Pane*>(obj.Pane.get());
  return pane ? pane->Handle() : nullptr;
}

}  // namespace

MenuKeyboard::~MenuKeyboard() {
  if (g_watching == this) g_watching = nullptr;
}

void MenuKeyboard::Start(HWND window) {
  window_ = window;
  // Windows hides focus rectangles until the keyboard is first used, unless it is set to always
  // show them.
  BOOL alwaysShown = FALSE;
  ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
  windowCues_ = alwaysShown != FALSE;
  if (!windowCues_) ::SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  bool panes = false;
  for (const auto& obj : state_.Project.Objects) panes = panes || (obj && IsKeyboardPane(*obj));
  if (panes && !hook_) {
    hook_.reset(::SetWindowsHookExW(WH_GETMESSAGE, &MenuKeyboard::WatchPaneKeys, nullptr, ::GetCurrentThreadId()));
    if (hook_) g_watching = this;
  }
}

bool MenuKeyboard::OnMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  // The designer's menu window is never shown and takes no keys.
  if (state_.DesignerMode) return false;
  window_ = window;
  result = 0;
  switch (msg) {
    case WM_KEYDOWN:
      return KeyDown(wp, lp);
    case WM_CHAR:
    case WM_SYSCHAR:
      return Typed(wp, lp);
    case WM_ACTIVATE: {
      // Windows gives the keyboard to the window itself; a pane that had it gets it back.
      const int focused = focus_.Focused();
      if (LOWORD(wp) == WA_INACTIVE || focused < 0) return false;
      HWND pane = PaneWindowOf(*state_.Project.Objects[static_cast<size_t>(focused)]);
      if (!pane) return false;
      ::SetFocus(pane);
      return true;
    }
    case WM_UPDATEUISTATE:
      // Windows shows or hides focus cues (Alt pressed, say); the window's own handling passes it on.
      if (HIWORD(wp) & UISF_HIDEFOCUS) {
        if (LOWORD(wp) == UIS_CLEAR) windowCues_ = true;
        if (LOWORD(wp) == UIS_SET) windowCues_ = false;
        InvalidateFocus(focus_.Focused());
      }
      return false;
  }
  return false;
}

bool MenuKeyboard::KeyDown(WPARAM key, LPARAM lp) {
  MenuKey menuKey;
  // Ctrl and Alt with these keys mean something else to Windows (Alt+Tab, Ctrl+Esc).
  if (!KeyOf(key, menuKey) || Down(VK_CONTROL) || Down(VK_MENU)) return false;
  const FocusStep step = focus_.KeyDown(state_.Project, menuKey, Down(VK_SHIFT), Repeated(lp));
  Apply(step);
  MoveKeyboardFocus(step);
  if (step.Close) ::PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (step.RunTag >= 0) ObjectClick(state_, step.RunTag);
  return step.Handled;
}

bool MenuKeyboard::Typed(WPARAM wp, LPARAM lp) {
  // A held letter names its object once.
  if (Repeated(lp) || !window_) return false;
  // The window's class is a wide one: the character comes in UTF-16.
  const auto typed = static_cast<char32_t>(wp & 0xFFFF);
  if (typed >= 0xD800 && typed <= 0xDFFF) return false;  // no mnemonic lies outside the basic plane
  // Tab, Enter, Escape and the space bar have been taken as keys.
  if (typed <= U' ' || typed == 0x7F) return false;
  const FocusStep step = focus_.Character(state_.Project, typed);
  Apply(step);
  MoveKeyboardFocus(step);
  if (step.RunTag >= 0) ObjectClick(state_, step.RunTag);
  return step.Handled;
}

void MenuKeyboard::FocusObject(int index) {
  const FocusStep step = focus_.Focus(state_.Project, index);
  Apply(step);
  MoveKeyboardFocus(step);
}

void MenuKeyboard::MouseHandled(UINT msg) {
  if (state_.DesignerMode) return;
  const int hot = HotObject(state_.Project);
  Apply(focus_.HotChanged(state_.Project, hot));
  if (msg != WM_LBUTTONDOWN && msg != WM_LBUTTONDBLCLK) return;
  // A press on the panel takes the keyboard back from a pane.
  if (PaneObjectOf(::GetFocus()) < 0) return;
  const FocusStep step = focus_.Focus(state_.Project, hot);
  Apply(step);
  ::SetFocus(window_);
}

void MenuKeyboard::Apply(const FocusStep& step) {
  if (step.HotMoved) panel_.Highlight(step.Hot);
  if (step.FocusMoved || step.CuesShown) {
    InvalidateFocus(step.Previous);
    InvalidateFocus(step.Focused);
  }
  // The window and its panels learn that focus cues show from now on; their own handling
  // repaints the focused object.
  if (step.CuesShown && window_) ::SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  if (step.FocusMoved || step.CuesShown) ::UpdateWindow(panel_.hwnd());
  if (step.FocusMoved && OnFocusMoved) OnFocusMoved(step.Previous, step.Focused);
}

void MenuKeyboard::MoveKeyboardFocus(const FocusStep& step) {
  if (!step.FocusMoved || !window_) return;
  const MenuProject& project = state_.Project;
  const int index = step.Focused;
  HWND pane = index >= 0 ? PaneWindowOf(*project.Objects[static_cast<size_t>(index)]) : nullptr;
  if (pane) {
    ::SetFocus(pane);
    return;
  }
  // Only a pane's keyboard comes back: the window is never made active by this.
  HWND now = ::GetFocus();
  if (now && now != window_ && ::IsChild(window_, now)) ::SetFocus(window_);
}

bool MenuKeyboard::CuesHidden() const {
  return !focus_.CuesVisible() && !windowCues_;
}

void MenuKeyboard::InvalidateFocus(int index) {
  const MenuProject& project = state_.Project;
  if (index < 0 || static_cast<size_t>(index) >= project.Objects.size() || !panel_.hwnd()) return;
  const MenuObject& obj = *project.Objects[static_cast<size_t>(index)];
  if (!IsPainted(obj.Kind)) return;
  const RECT r = ToRECT(ScaledBounds(obj.Base(), scale_));
  ::InvalidateRect(panel_.hwnd(), &r, FALSE);
}

void MenuKeyboard::PaintFocus(HDC dc) {
  const MenuProject& project = state_.Project;
  const int index = focus_.Focused();
  if (state_.DesignerMode || index < 0 || static_cast<size_t>(index) >= project.Objects.size()) return;
  const MenuObject& obj = *project.Objects[static_cast<size_t>(index)];
  // A pane shows its own focus.
  if (!IsPainted(obj.Kind) || CuesHidden()) return;
  RECT r = ToRECT(ScaledBounds(obj.Base(), scale_));
  const int inset = scale_.Length(1);
  ::InflateRect(&r, -inset, -inset);
  if (r.right <= r.left || r.bottom <= r.top) return;
  DcStateScope saved(dc);
  // The dotted rectangle inverts what lies beneath it, in the colours it is drawn with.
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkColor(dc, RGB(255, 255, 255));
  ::DrawFocusRect(dc, &r);
}

int MenuKeyboard::PaneObjectOf(HWND hwnd) const {
  if (!hwnd) return -1;
  const MenuProject& project = state_.Project;
  for (size_t i = 0; i < project.Objects.size(); ++i) {
    HWND pane = project.Objects[i] ? PaneWindowOf(*project.Objects[i]) : nullptr;
    if (pane && (pane == hwnd || ::IsChild(pane, hwnd))) return static_cast<int>(i);
  }
  return -1;
}

LRESULT CALLBACK MenuKeyboard::WatchPaneKeys(int code, WPARAM wp, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  MenuKeyboard* self = g_watching;
  if (code == HC_ACTION && wp == PM_REMOVE && self && !self->state_.DesignerMode) {
    const int pane = self->PaneObjectOf(msg->hwnd);
    if (pane >= 0) {
      bool taken = false;
      switch (msg->message) {
        case WM_KEYDOWN:
          // Arrows, Enter and the space bar are the pane's own; Tab and Escape leave it.
          if (msg->wParam == VK_TAB || msg->wParam == VK_ESCAPE) taken = self->KeyDown(msg->wParam, msg->lParam);
          break;
        case WM_SYSCHAR:
          taken = self->Typed(msg->wParam, msg->lParam);
          break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
          // A click into a pane gives it the keyboard; the focus follows.
          self->Apply(self->focus_.Focus(self->state_.Project, pane));
          break;
      }
      if (taken) msg->message = WM_NULL;
    }
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace corvela::win
