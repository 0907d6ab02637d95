#pragma once
// The keyboard in the running menu: which object has the focus, whether the focus cue shows, and
// what the keys do. The window turns its key messages and the mouse's hot changes (PanelMouse)
// into these calls and carries out the step that comes back.
//
// The hot look and the focus are one highlight, as in a menu: whichever of the mouse and the
// keyboard moved last places it. A key moves the hot look to the object it focuses; the mouse
// making an action object hot moves the focus there (unless a pane holds the focus, which keeps
// it); and the keyboard goes on from the object the mouse last made hot, even once the mouse has
// left it. Nothing has the focus at start, and the focus cue stays hidden until the keyboard first
// moves the focus, as Windows hides focus rectangles until then.

#include <cstdint>

#include "project/Model.h"

namespace corvela {

enum class MenuKey : uint8_t { Tab, Left, Right, Up, Down, Enter, Space, Escape };

struct FocusStep {
  // The key meant something to the menu; otherwise the window passes it on as it would have.
  bool Handled = false;
  int Previous = -1;  // the focused object before the event
  int Focused = -1;   // and after it; -1: none
  bool FocusMoved = false;
  // The focus cue became visible with this event: the focused object is repainted with it.
  bool CuesShown = false;
  // The keyboard moved the hot look: Hot (-1: none) becomes the hot object (PanelMouse::Highlight).
  bool HotMoved = false;
  int Hot = -1;
  int32_t RunTag = -1;  // the Tag of the object whose link runs now (ObjectClick), or -1
  bool Close = false;   // Escape: the menu closes
};

class MenuFocus {
 public:
  // repeat: the key was already down (an auto-repeated key press). Tab and the arrows repeat;
  // Enter and Space run the focused object's link once per press. Arrows and Enter are left to a
  // pane that holds the focus.
  FocusStep KeyDown(const MenuProject& project, MenuKey key, bool shift, bool repeat);
  // A typed character: the action object whose mnemonic it is gets the focus, and its link runs
  // when no other action object has the same mnemonic (repeated presses walk through those).
  FocusStep Character(const MenuProject& project, char32_t typed);
  // The mouse made the object at index hot, or no object (-1).
  FocusStep HotChanged(const MenuProject& project, int hot);
  // The focus was put on an object from outside the keys: a click into a pane, a screen reader.
  // An object that takes no focus, or -1, leaves nothing focused.
  FocusStep Focus(const MenuProject& project, int index);
  // The objects were replaced: nothing is focused or hot any more. Cues stay as they are.
  void Reset();

  int Focused() const { return focused_; }
  int Hot() const { return hot_; }
  bool CuesVisible() const { return cues_; }

 private:
  FocusStep Begin(const MenuProject& project);
  void MoveTo(const MenuProject& project, FocusStep& step, int index);
  void ShowCues(FocusStep& step);

  int focused_ = -1;
  int hot_ = -1;
  int anchor_ = -1;  // the object the next Tab, arrow or mnemonic starts from
  bool cues_ = false;
};

}  // namespace corvela
