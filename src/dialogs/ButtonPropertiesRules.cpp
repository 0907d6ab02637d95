#include "dialogs/ButtonPropertiesRules.h"

namespace corvela {

ButtonPropertiesFields FillButtonProperties(const MenuObject& obj) {
  ButtonPropertiesFields f;
  const ButtonControl* button = obj.AsButton();
  if (!button) return f;
  f.Caption = button->Caption;
  f.Layout = ListEntryFor(button->Layout, kButtonLayoutEntries.size());
  f.Font = button->Font;
  f.HotTrackFont = obj.HotTrackFont;
  f.BitmapFile = obj.BitmapFile;
  f.HotTrackBitmapFile = obj.HotTrackBitmapFile;
  f.Margin = SpinText(button->Margin);
  f.Spacing = SpinText(button->Spacing);
  f.Flat = button->Flat;
  f.Transparent = button->Transparent;
  f.Hint = button->Hint;
  return f;
}

bool WriteBackButtonProperties(const ButtonPropertiesFields& f, const DialogFlags& flags, MenuObject& obj) {
  ButtonControl* button = obj.AsButton();
  if (!button || !flags.ShouldWrite()) return false;
  button->Caption = f.Caption;
  StoreListEntry(f.Layout, kButtonLayoutEntries.size(), button->Layout);
  button->Font = f.Font;
  obj.HotTrackFont = f.HotTrackFont;
  obj.BitmapFile = NormalizeStoredPath(f.BitmapFile);
  obj.HotTrackBitmapFile = NormalizeStoredPath(f.HotTrackBitmapFile);
  button->Margin = SpinValue(f.Margin);
  button->Spacing = SpinValue(f.Spacing);
  button->Flat = f.Flat;
  button->Transparent = f.Transparent;
  button->Hint = f.Hint;
  return true;
}

SelectResult SelectButtonBitmap(AppState& state, std::string& field) {
  return SelectFileInCdFolder(state, field, kBitmapFilter, RefusalStyle::Plain);
}

}  // namespace corvela
