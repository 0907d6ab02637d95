#pragma once
// The pressed and hover looks of painted buttons, and which press becomes a click. Labels,
// buttons and images have no windows, so the inner panel feeds its mouse messages through
// these functions (indexes from PaintedObjectAt) and the painter reads ButtonStates.

#include <vector>

#include "project/Model.h"

namespace corvela {

struct ButtonStates {
  int PressedIndex = -1;       // the object the left button went down on, while it is held
  bool PressedInside = false;  // the mouse is over that object now
  int MouseInsideIndex = -1;   // the painted object under the mouse; while a press is held only
                               // the pressed object can be it
};

enum class ButtonLook { Up, Hover, Down };

// How the button at index draws: Down while pressed with the mouse over it, Hover for a flat
// button with the mouse over it, otherwise Up. Non-button objects are always Up.
ButtonLook LookOf(const ButtonStates& states, const MenuProject& project, int index);

struct TrackResult {
  std::vector<int> Repaint;  // buttons whose look changed, ascending
  int Clicked = -1;          // the object whose click this event completes, or -1
};

// under: the index of the painted object under the mouse, or -1.
TrackResult TrackMouseDown(ButtonStates& states, const MenuProject& project, int under);
TrackResult TrackMouseMove(ButtonStates& states, const MenuProject& project, int under);
// A click when released over the object it was pressed on.
TrackResult TrackMouseUp(ButtonStates& states, const MenuProject& project, int under);
// The mouse left the panel.
TrackResult TrackMouseLeave(ButtonStates& states, const MenuProject& project);
// Another window took the mouse: the press ends without a click.
TrackResult TrackCaptureLost(ButtonStates& states, const MenuProject& project);

}  // namespace corvela
