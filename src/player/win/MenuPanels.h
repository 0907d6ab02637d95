#pragma once
// The two panels inside the menu window: the outer panel with its border and bevels, and the
// inner panel (Panel1) that paints the background picture and the labels, buttons and images,
// tracks the mouse over them and holds the panes as child windows.

#include <windows.h>

#include <functional>

#include "platform/DpiScale.h"
#include "platform/win/Handles.h"
#include "platform/win/Window.h"
#include "player/PanelMouse.h"
#include "player/win/ObjectPainter.h"
#include "project/AppState.h"

namespace corvela::win {

// A child panel drawn by one paint function, off-screen for WM_PAINT unless it draws only a frame
// around its children, and straight into the DC of WM_PRINTCLIENT.
class PaintedPanel : public Window {
 public:
  bool Create(HWND parent);

 protected:
  explicit PaintedPanel(bool buffered) : buffered_(buffered) {}
  virtual void Paint(HDC dc, const RECT& client) = 0;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool buffered_;
};

class OuterPanelWindow : public PaintedPanel {
 public:
  // scale: the menu window's, kept up to date by it.
  // The inner panel covers all but the border and bevels.
  OuterPanelWindow(const MenuProject& project, const DpiScale& scale)
      : PaintedPanel(false), project_(project), scale_(scale) {}

 protected:
  void Paint(HDC dc, const RECT& client) override;

 private:
  const MenuProject& project_;
  const DpiScale& scale_;
};

// What the keyboard adds to the inner panel: the focus rectangle over the painted objects, and the
// mouse's part in the one highlight the two share.
class PanelFocusHooks {
 public:
  virtual ~PanelFocusHooks() = default;
  // After the objects: dc is the panel's, in device pixels.
  virtual void PaintFocus(HDC dc) = 0;
  // The panel has handled the mouse message msg.
  virtual void MouseHandled(UINT msg) = 0;
};

class InnerPanelWindow : public PaintedPanel {
 public:
  // The panel is in device pixels, the objects in design pixels: scale maps between them. render
  // makes the picture over BackColor for a panel of the given size: the gradient, or none so that
  // BackColor shows.
  using BackgroundRenderer = std::function<UniqueBitmap(int32_t width, int32_t height)>;
  InnerPanelWindow(AppState& state, const DpiScale& scale, BackgroundRenderer render)
      : PaintedPanel(true), state_(state), scale_(scale), render_(std::move(render)) {}
  // The picture no longer fits the project or the panel's size. It is made again by the next
  // paint, so that any number of changes before it cost one picture.
  void BackgroundChanged();
  // Objects came, went or moved: the mouse looks start afresh and the panel repaints.
  void ObjectsChanged();
  // The keyboard made the object at index hot (-1: none), as the mouse over it would.
  void Highlight(int index) { Apply(mouse_.Highlight(state_, index)); }
  void SetFocusHooks(PanelFocusHooks* hooks) { focusHooks_ = hooks; }

 protected:
  void Paint(HDC dc, const RECT& client) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // A pane object under the cursor that has a link shows the hand.
  bool SetPaneCursor(HWND child);
  // The player's cursor over the panel: the hand over painted objects with a link.
  bool SetPanelCursor();
  // The panel's mouse messages in the player; false for other messages.
  bool Mouse(UINT msg, LPARAM lp);
  // Looks again whether the mouse has gone from a pane or the border out of the window.
  void WatchLeave();
  void Apply(const PanelMouseResult& result);
  bool CursorLeftWindow() const;

  AppState& state_;
  const DpiScale& scale_;
  BackgroundRenderer render_;
  UniqueBitmap background_;
  bool backgroundStale_ = true;
  ObjectPainter painter_;
  // Hot tracking, pressed and hover looks and clicks of the painted objects.
  PanelMouse mouse_;
  // WM_MOUSELEAVE has been asked for since the mouse last came onto the panel.
  bool leaveTracked_ = false;
  // The panel has had its first WM_PAINT.
  bool painted_ = false;
  PanelFocusHooks* focusHooks_ = nullptr;
};

}  // namespace corvela::win
