#pragma once
// The "Button Properties" dialog without its window.

#include <array>
#include <string>

#include "dialogs/DialogRules.h"
#include "project/StoredPath.h"
#include "project/AppState.h"

namespace corvela {

// Where the glyph sits relative to the caption; the stored Layout is the entry's index.
inline constexpr std::array<const char*, 4> kButtonLayoutEntries = {"ImageLeft", "ImageRight", "ImageTop",
                                                                    "ImageBottom"};

struct ButtonPropertiesFields {
  std::string Caption;
  int Layout = -1;
  FontRecord Font;
  FontRecord HotTrackFont;
  std::string BitmapFile;
  std::string HotTrackBitmapFile;
  std::string Margin;
  std::string Spacing;
  bool Flat = false;
  bool Transparent = false;
  std::string Hint;
};

ButtonPropertiesFields FillButtonProperties(const MenuObject& obj);
// Every field back into the button's control and the object's HotTrackFont and bitmap files
// (normalised stored paths), only when flags allow it and the object is a button. Margin and
// Spacing go to the control as they are, negative values included.
bool WriteBackButtonProperties(const ButtonPropertiesFields& fields, const DialogFlags& flags, MenuObject& obj);

// The "Select..." buttons of both bitmap rows: Windows bitmaps only, plain refusal.
SelectResult SelectButtonBitmap(AppState& state, std::string& field);

}  // namespace corvela
