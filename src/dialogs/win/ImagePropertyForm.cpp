#include "dialogs/win/ImagePropertyForm.h"

#include "dialogs/win/DialogIds.h"

namespace corvela::win {

ImagePropertyForm::ImagePropertyForm(AppState& state) : ModalDialog(IDD_IMAGE_PROPERTIES), state_(state) {}

bool ImagePropertyForm::Execute(MenuObject* obj) {
  if (!obj || !obj->AsImage()) return false;
  fields_ = FillImageProperties(*obj);
  RunModal();
  return WriteBackImageProperties(fields_, Flags, *obj);
}

void ImagePropertyForm::OnInit() {
  FillList(IDC_DISPLAY_STYLE, kDisplayStyleEntries, fields_.DisplayStyle);
  SetText(IDC_IMAGE_FILE, fields_.FileName);
  SetText(IDC_HOT_IMAGE_FILE, fields_.HotTrackImageFile);
  SetChecked(IDC_TRANSPARENT, fields_.Transparent);
  SetText(IDC_HINT, fields_.Hint);
}

void ImagePropertyForm::OnOK() {
  fields_.DisplayStyle = ListEntry(IDC_DISPLAY_STYLE);
  fields_.FileName = Text(IDC_IMAGE_FILE);
  fields_.HotTrackImageFile = Text(IDC_HOT_IMAGE_FILE);
  fields_.Transparent = Checked(IDC_TRANSPARENT);
  fields_.Hint = Text(IDC_HINT);
}

void ImagePropertyForm::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == IDC_IMAGE_FILE_SELECT) SelectPicture(IDC_IMAGE_FILE);
  if (id == IDC_HOT_IMAGE_FILE_SELECT) SelectPicture(IDC_HOT_IMAGE_FILE);
}

void ImagePropertyForm::SelectPicture(int editId) {
  std::string text = Text(editId);
  if (SelectImageFile(state_, text) == SelectResult::Changed) SetText(editId, text);
}

}  // namespace corvela::win
