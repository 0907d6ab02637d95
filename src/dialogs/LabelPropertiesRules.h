#pragma once
// The "Label Properties" dialog without its window.

#include <array>
#include <string>

#include "dialogs/DialogRules.h"
#include "project/Model.h"

namespace corvela {

inline constexpr std::array<const char*, 3> kAlignmentEntries = {"Left", "Right", "Center"};
inline constexpr std::array<const char*, 3> kLabelLayoutEntries = {"Top", "Center", "Bottom"};

struct LabelPropertiesFields {
  std::string Caption;
  int Alignment = -1;
  int Layout = -1;
  Colour Color = 0;
  FontRecord Font;
  FontRecord HotTrackFont;
  bool Transparent = false;
  std::string Hint;
};

// The fields of a label object; an object of another kind gives the defaults.
LabelPropertiesFields FillLabelProperties(const MenuObject& obj);
// Every field back into the label's control and HotTrackFont (AutoSize and WordWrap are not the
// dialog's), only when flags allow it and the object is a label; returns whether it wrote.
bool WriteBackLabelProperties(const LabelPropertiesFields& fields, const DialogFlags& flags, MenuObject& obj);

}  // namespace corvela
