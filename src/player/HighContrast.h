#pragma once
// The menu under a high-contrast theme: the theme's system colours take the place of the designed
// text colours, fills and gradient, so that the text reads as the user chose it to. Pictures stay,
// and so does the colour that keys a shaped window's transparent parts where the menu uses it.

#include "platform/SystemColours.h"
#include "project/Model.h"

namespace corvela {

// The panel's fill: the theme's window colour. Where the designed colour shows (no gradient) and
// is the window's transparent key, the key stays, so the window keeps its shape.
Colour ThemedBackColor(const MenuProject& project, SystemColours* colours);

// A caption on the window colour: the theme's text colour; a link's in the hot-light colour, and
// the hot object's (under the mouse or the keyboard's focus) in the highlight colour.
Colour ThemedTextColour(const MenuObject& obj);

// A label drawn in the theme's colours: its caption as above and its fill, when opaque, as the
// panel's (ThemedBackColor), its key colour kept likewise.
LabelControl ThemedLabel(LabelControl label, const MenuObject& obj, const MenuProject& project,
                         SystemColours* colours);
// A button's caption on its face takes the theme's button text colour, on the panel as above.
ButtonControl ThemedButton(ButtonControl button, const MenuObject& obj);

}  // namespace corvela
