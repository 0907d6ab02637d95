#pragma once
// What the property dialogs share: the two flags of one call, the spin edits' numbers, fixed
// lists, and the arithmetic that fits a dialog template to its designed pixel size.

#include <cstdint>
#include <string>

#include "platform/Geometry.h"
#include "project/Model.h"

namespace corvela {

// The flags a dialog keeps for one call. Filling clears them; the fields are written back only
// when OK was pressed and something was changed.
struct DialogFlags {
  bool OkPressed = false;
  bool Changed = false;
  bool ShouldWrite() const { return OkPressed && Changed; }
};

// The number a spin edit holds. Spin edits have no bounds: any whole number that fits in 32 bits,
// with an optional sign and blanks around it; every other text (empty, "abc", "1.5", a number
// too large) counts as 0.
int32_t SpinValue(const std::string& text);
std::string SpinText(int32_t value);
// The text after one step of the arrow keys or spin buttons; stops at the ends of the 32-bit range
// instead of wrapping round.
std::string SpinStep(const std::string& text, int32_t delta);

// The entry a fixed list shows for a stored value: the value itself when the list has that entry,
// -1 (nothing shown) otherwise.
int ListEntryFor(int value, int entryCount);
// Writing back a fixed list: the chosen entry, or the stored value kept when nothing is shown
// (a value from a file that the list has no entry for survives the dialog).
template <typename T>
void StoreListEntry(int entry, int entryCount, T& stored) {
  if (entry >= 0 && entry < entryCount) stored = static_cast<T>(entry);
}

// A font chosen for the caption. The hot-track font takes it too while it still equals the old
// font, that is while the author has not set it apart; once set apart it stays.
void TakeCaptionFont(FontRecord& font, FontRecord& hotTrackFont, const FontRecord& chosen);

// The font samples of the Label and Button dialogs are small boxes on the dialog's face.
// The background that keeps the sample's text readable: the face while the text reads on it
// (3 : 1, as large text needs), else dark grey or white, whichever reads better.
uint32_t FontSampleBackground(uint32_t textRgb, uint32_t faceRgb);
// The character height that shows the sample text whole in the room: the font's own when it
// fits, else scaled down until both its width and height fit (never below one pixel).
int32_t FontSampleHeight(int32_t height, Size text, Size room);

// Dialog templates are laid out in dialog units, whose size in pixels depends on the font the
// system has; the requirements fix the client areas in pixels. The template's client area as
// created (made) is stretched to the designed size, and every control with it: each edge is
// scaled and rounded, so neighbouring controls stay flush and a control on the client's edge stays
// there. A degenerate made size leaves the rectangle alone.
Rect ScaleToDesignedClient(const Rect& control, Size made, Size designed);
// The top-left corner that centres a window of this size on the screen (it may be negative when
// the window is larger than the screen).
Point CentredOnScreen(Size screen, Size window);

}  // namespace corvela
