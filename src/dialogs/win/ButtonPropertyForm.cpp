#include "dialogs/win/ButtonPropertyForm.h"

#include "dialogs/win/DialogControls.h"
#include "dialogs/win/DialogIds.h"

namespace corvela::win {

ButtonPropertyForm::ButtonPropertyForm(AppState& state) : ModalDialog(IDD_BUTTON_PROPERTIES), state_(state) {}

bool ButtonPropertyForm::Execute(MenuObject* obj) {
  if (!obj || !obj->AsButton()) return false;
  fields_ = FillButtonProperties(*obj);
  RunModal();
  return WriteBackButtonProperties(fields_, Flags, *obj);
}

std::vector<FixedSizeControl> ButtonPropertyForm::FixedSizes() const {
  return {{IDC_FONT, {121, 25}}, {IDC_HOT_FONT, {121, 25}}};
}

void ButtonPropertyForm::OnInit() {
  SetText(IDC_CAPTION, fields_.Caption);
  FillList(IDC_LAYOUT, kButtonLayoutEntries, fields_.Layout);
  SetText(IDC_BITMAP, fields_.BitmapFile);
  SetText(IDC_HOT_BITMAP, fields_.HotTrackBitmapFile);
  SetText(IDC_MARGIN, fields_.Margin);
  SetText(IDC_SPACING, fields_.Spacing);
  SetChecked(IDC_FLAT, fields_.Flat);
  SetChecked(IDC_TRANSPARENT, fields_.Transparent);
  SetText(IDC_HINT, fields_.Hint);
}

void ButtonPropertyForm::OnOK() {
  fields_.Caption = Text(IDC_CAPTION);
  fields_.Layout = ListEntry(IDC_LAYOUT);
  fields_.BitmapFile = Text(IDC_BITMAP);
  fields_.HotTrackBitmapFile = Text(IDC_HOT_BITMAP);
  fields_.Margin = Text(IDC_MARGIN);
  fields_.Spacing = Text(IDC_SPACING);
  fields_.Flat = Checked(IDC_FLAT);
  fields_.Transparent = Checked(IDC_TRANSPARENT);
  fields_.Hint = Text(IDC_HINT);
}

void ButtonPropertyForm::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_FONT:
    case IDC_FONT_SELECT:
      PickFont(fields_.Font, IDC_FONT);
      return;
    case IDC_HOT_FONT:
    case IDC_HOT_FONT_SELECT:
      PickFont(fields_.HotTrackFont, IDC_HOT_FONT);
      return;
    case IDC_BITMAP_SELECT:
      SelectBitmap(IDC_BITMAP);
      return;
    case IDC_HOT_BITMAP_SELECT:
      SelectBitmap(IDC_HOT_BITMAP);
      return;
  }
}

void ButtonPropertyForm::PickFont(FontRecord& font, int sampleId) {
  std::optional<FontRecord> chosen = ChooseFontRecord(hwnd(), font);
  if (!chosen) return;
  if (&font == &fields_.Font)
    TakeCaptionFont(fields_.Font, fields_.HotTrackFont, *chosen);
  else
    font = *chosen;
  MarkChanged();
  Redraw(sampleId);
  Redraw(IDC_HOT_FONT);
}

void ButtonPropertyForm::SelectBitmap(int editId) {
  std::string text = Text(editId);
  if (SelectButtonBitmap(state_, text) == SelectResult::Changed) SetText(editId, text);
}

bool ButtonPropertyForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  switch (item.CtlID) {
    case IDC_FONT:
      DrawFontSample(item, fields_.Font);
      return true;
    case IDC_HOT_FONT:
      DrawFontSample(item, fields_.HotTrackFont);
      return true;
  }
  return false;
}

}  // namespace corvela::win
