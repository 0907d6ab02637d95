#include "dialogs/LabelPropertiesRules.h"

namespace corvela {

LabelPropertiesFields FillLabelProperties(const MenuObject& obj) {
  LabelPropertiesFields f;
  const LabelControl* label = obj.AsLabel();
  if (!label) return f;
  f.Caption = label->Caption;
  f.Alignment = ListEntryFor(label->Alignment, kAlignmentEntries.size());
  f.Layout = ListEntryFor(label->Layout, kLabelLayoutEntries.size());
  f.Color = label->Color;
  f.Font = label->Font;
  f.HotTrackFont = obj.HotTrackFont;
  f.Transparent = label->Transparent;
  f.Hint = label->Hint;
  return f;
}

bool WriteBackLabelProperties(const LabelPropertiesFields& f, const DialogFlags& flags, MenuObject& obj) {
  LabelControl* label = obj.AsLabel();
  if (!label || !flags.ShouldWrite()) return false;
  label->Caption = f.Caption;
  StoreListEntry(f.Alignment, kAlignmentEntries.size(), label->Alignment);
  StoreListEntry(f.Layout, kLabelLayoutEntries.size(), label->Layout);
  label->Color = f.Color;
  label->Font = f.Font;
  obj.HotTrackFont = f.HotTrackFont;
  label->Transparent = f.Transparent;
  label->Hint = f.Hint;
  return true;
}

}  // namespace corvela
