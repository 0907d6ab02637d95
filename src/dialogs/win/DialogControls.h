#pragma once
// The pieces the property dialogs share: colour swatches, font samples, the flat folder button,
// and the common colour and font dialogs.

#include <windows.h>

#include <optional>

#include "project/Model.h"

namespace corvela::win {

// A sunken panel filled with the colour (system colours in their current value).
void DrawColourSwatch(const DRAWITEMSTRUCT& item, Colour colour);
// A sunken panel showing the word "Font" in the font, in its colour.
void DrawFontSample(const DRAWITEMSTRUCT& item, const FontRecord& font);
// The link editor's flat Browse button: a folder, sunk while pressed, greyed while disabled.
void DrawFolderButton(const DRAWITEMSTRUCT& item);

// The common colour dialog with default options, preset with a colour. One chooser serves every
// swatch of a dialog and keeps its custom colours from call to call.
class ColourChooser {
 public:
  // The confirmed colour as RGB, or nothing when cancelled.
  std::optional<Colour> Choose(HWND owner, Colour initial);

 private:
  COLORREF custom_[16] = {};
};

// The common font dialog with effects (colour, underline, strike-out), preset with a copy of the
// font. The confirmed font is copied whole: name, size in points, style and colour.
std::optional<FontRecord> ChooseFontRecord(HWND owner, const FontRecord& initial);

}  // namespace corvela::win
