#pragma once
// The inner panel's mouse in the running menu. Labels, buttons and images are painted by the panel
// rather than being windows, so the panel's mouse messages are turned here into what their own
// controls' events would do: hot tracking, the pressed and hover looks of buttons, and clicks.
// Panes are child windows with their own messages and never take part.

#include <cstdint>
#include <vector>

#include "player/ButtonTracking.h"
#include "player/ObjectLayout.h"
#include "project/AppState.h"

namespace corvela {

struct PanelMouseResult {
  // Panel rectangles to repaint at once: the bounds of every object whose look changed, before
  // and, when an AutoSize object took another size for its new font or picture, after the change.
  std::vector<Rect> Repaint;
  int32_t ClickedTag = -1;  // the Tag of the object whose click this event completes, or -1
};

class PanelMouse {
 public:
  // x, y in panel coordinates; overPanel: the point lies in the panel's client area (while a press
  // is held the panel keeps the mouse, and the point may lie anywhere).
  PanelMouseResult Move(AppState& state, int32_t x, int32_t y, bool overPanel);
  // secondOfDouble: the second press of a double click. It looks like any press, but its release
  // runs no link: the first press already ran it.
  PanelMouseResult Down(AppState& state, int32_t x, int32_t y, bool overPanel, bool secondOfDouble = false);
  // Completes a click when released over the object the press began on; the window runs the
  // click after it has repainted.
  PanelMouseResult Up(AppState& state, int32_t x, int32_t y, bool overPanel);
  // The mouse left the panel: flat buttons lose their hover look. The hot object stays hot when
  // the mouse went onto a pane or the panel's border, and gets its normal look back when it left
  // the window (leftWindow), so that no highlight stays behind.
  PanelMouseResult Leave(AppState& state, bool leftWindow);
  // Another window took the mouse during a press: it ends without a click.
  PanelMouseResult CaptureLost(AppState& state);
  // The keyboard moved the highlight (MenuFocus): the object at index becomes the hot one (-1:
  // none), repainted as a mouse move over it would be.
  PanelMouseResult Highlight(AppState& state, int index);

  // A press on an object is held; the panel keeps the mouse until it is released.
  bool Pressing() const { return states_.PressedIndex >= 0; }
  const ButtonStates& States() const { return states_; }
  // The objects were replaced: nothing is pressed or under the mouse any more.
  void Reset() { states_ = ButtonStates{}; }

 private:
  ButtonStates states_;
  bool releaseClicks_ = true;
};

// The hand cursor shows over a label, button or image that has a link.
bool ShowsHandAt(const MenuProject& project, int32_t x, int32_t y);

}  // namespace corvela
