#include "dialogs/win/LabelPropertyForm.h"

#include "dialogs/win/DialogIds.h"

namespace corvela::win {

LabelPropertyForm::LabelPropertyForm() : ModalDialog(IDD_LABEL_PROPERTIES) {}

bool LabelPropertyForm::Execute(MenuObject* obj) {
  if (!obj || !obj->AsLabel()) return false;
  fields_ = FillLabelProperties(*obj);
  RunModal();
  return WriteBackLabelProperties(fields_, Flags, *obj);
}

std::vector<FixedSizeControl> LabelPropertyForm::FixedSizes() const {
  return {{IDC_COLOR, {41, 25}}, {IDC_FONT, {41, 25}}, {IDC_HOT_FONT, {41, 25}}};
}

void LabelPropertyForm::OnInit() {
  SetText(IDC_CAPTION, fields_.Caption);
  FillList(IDC_ALIGNMENT, kAlignmentEntries, fields_.Alignment);
  FillList(IDC_LAYOUT, kLabelLayoutEntries, fields_.Layout);
  SetChecked(IDC_TRANSPARENT, fields_.Transparent);
  SetText(IDC_HINT, fields_.Hint);
}

void LabelPropertyForm::OnOK() {
  fields_.Caption = Text(IDC_CAPTION);
  fields_.Alignment = ListEntry(IDC_ALIGNMENT);
  fields_.Layout = ListEntry(IDC_LAYOUT);
  fields_.Transparent = Checked(IDC_TRANSPARENT);
  fields_.Hint = Text(IDC_HINT);
}

void LabelPropertyForm::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_COLOR:
    case IDC_COLOR_SELECT:
      if (std::optional<Colour> chosen = colours_.Choose(hwnd(), fields_.Color)) {
        fields_.Color = *chosen;
        MarkChanged();
        Redraw(IDC_COLOR);
      }
      return;
    case IDC_FONT:
    case IDC_FONT_SELECT:
      PickFont(fields_.Font, IDC_FONT);
      return;
    case IDC_HOT_FONT:
    case IDC_HOT_FONT_SELECT:
      PickFont(fields_.HotTrackFont, IDC_HOT_FONT);
      return;
  }
}

void LabelPropertyForm::PickFont(FontRecord& font, int sampleId) {
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

bool LabelPropertyForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  switch (item.CtlID) {
    case IDC_COLOR:
      DrawColourSwatch(item, fields_.Color);
      return true;
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
