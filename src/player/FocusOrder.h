#pragma once
// Where the keyboard goes in the running menu: which objects take the focus, the order Tab walks
// them in, the nearest one in an arrow's direction, and the one a typed mnemonic names. Pure
// arithmetic over the records, in design pixels; objects are named by their index in Objects.

#include <vector>

#include "project/Model.h"

namespace corvela {

// A label, button or image with a link: Enter runs it as a click would.
bool IsActionObject(const MenuObject& obj);
// An RTF or HTML pane: it scrolls and selects with the keyboard itself.
bool IsKeyboardPane(const MenuObject& obj);
bool TakesFocus(const MenuObject& obj);

// The menu reads right to left when more of its label and button captions start with a
// right-to-left letter than with a left-to-right one.
bool ReadsRightToLeft(const MenuProject& project);

// The objects in reading order: sorted by their top, an object whose top lies above the vertical
// middle of a row's first object joins that row; rows from the top down, each from the left (or
// from the right in a right-to-left menu); equal places keep the order of Objects.
std::vector<int> ReadingOrder(const MenuProject& project, std::vector<int> indexes, bool rightToLeft);

// The action objects in reading order, then the keyboard panes in reading order.
std::vector<int> FocusOrder(const MenuProject& project);

// The object Tab (or Shift+Tab when backward) moves to from the object at index from, round
// again at either end; -1 when nothing takes the focus. From -1, Tab starts at the first object
// and Shift+Tab at the last. From an object outside the order (an object without a link that the
// mouse left hot), the walk goes on from where that object stands in reading order.
int NextInFocusOrder(const MenuProject& project, int from, bool backward);

enum class ArrowKey { Left, Right, Up, Down };

// The action object nearest to the object at index from in the arrow's direction, or -1 when
// there is none. Objects ahead of from's centre qualify when they overlap it across the direction
// (its column for Up and Down, its row for Left and Right) or lie more ahead than aside; those
// that overlap come first, then the nearest along the direction, then the nearest across it.
// Objects with the very same centre are ahead when they come after from in focus order (Right,
// Down) or before it (Left, Up), the nearest in that order first, so a pile of objects can be
// walked through.
int NearestInDirection(const MenuProject& project, int from, ArrowKey arrow);

struct MnemonicMatch {
  int Index = -1;  // the first match after from in focus order, round again; -1: none
  int Count = 0;   // how many action objects have that mnemonic
};
// The action object whose caption's mnemonic is the typed character, whatever its case.
MnemonicMatch FindMnemonic(const MenuProject& project, char32_t typed, int from);

}  // namespace corvela
