#pragma once
// Lining up, sizing and spacing the selected objects, and moving them with the keyboard.
// The selection is taken in list order; the first selected object is the one the others follow.

#include <cstdint>
#include <vector>

#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

enum class AlignCommand : uint8_t {
  Lefts,
  Centres,  // horizontal centres
  Rights,
  Tops,
  Middles,  // vertical centres
  Bottoms,
  SameWidth,
  SameHeight,
  SameSize,
  SpaceAcross,     // equal horizontal gaps, the leftmost and rightmost objects stay
  SpaceDown,       // equal vertical gaps, the topmost and bottommost objects stay
  CentreInWindow,  // the selection as a group, centred in the panel both ways
};

// The least number of selected objects the command acts on: 1 for centring in the window, 3 for
// spacing, 2 for the rest.
size_t MinimumSelection(AlignCommand command);

// An object's box: left, top, width, height.
struct Box {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const Box& o) const {
    return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
  }
  bool operator!=(const Box& o) const { return !(*this == o); }
};

// The boxes after the command; boxes[0] is the reference. Fewer boxes than the command needs come
// back unchanged. panel is the client size of the menu window's inner panel.
std::vector<Box> ArrangeBoxes(AlignCommand command, const std::vector<Box>& boxes, Size panel);

// Applies the command to the selected objects, then keeps them on the panel as one group (its
// shape unchanged) and every other object as a drag does. True when an object's position or size
// changed.
bool AlignSelection(MenuProject& project, AlignCommand command, Size panel);

enum class ArrowKey : uint8_t { Left, Right, Up, Down };

// One arrow key on the selection: a move by 1 pixel, by 8 with Ctrl; with Shift the right or bottom
// edge moves instead by the same step (a resize, never below 1 pixel). The selection is kept on
// the panel as one group. True when anything changed.
bool NudgeSelection(MenuProject& project, ArrowKey key, bool ctrl, bool shift, Size panel);

// What a nudge does, for the merge of a burst into one undo step: moves and resizes are apart.
inline constexpr uint32_t kNudgeMoveBurst = 1;
inline constexpr uint32_t kNudgeResizeBurst = 2;
inline uint32_t NudgeBurstKey(bool shift) {
  return shift ? kNudgeResizeBurst : kNudgeMoveBurst;
}

}  // namespace corvela
