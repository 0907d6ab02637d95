#include "dialogs/win/GetFileForm.h"

#include "dialogs/win/DialogIds.h"
#include "platform/win/WideText.h"

namespace corvela::win {

GetFileForm::GetFileForm(AppState& state) : ModalDialog(IDD_GET_FILE), state_(state) {}

bool GetFileForm::Execute(std::string& fileName, bool allowUrl, const std::string& filter) {
  allowUrl_ = allowUrl;
  filter_ = filter;
  text_ = fileName;
  RunModal();
  return FinishFileInput(state_.CDFolder, text_, allowUrl, Flags, fileName);
}

void GetFileForm::OnInit() {
  const FileInputTexts texts = FileInputTextsFor(allowUrl_);
  SetWindowTextUtf8(hwnd(), texts.Caption);
  SetText(IDC_FILE_PROMPT, texts.Prompt);
  SetText(IDC_FILE_NAME, text_);
}

void GetFileForm::OnOK() {
  text_ = Text(IDC_FILE_NAME);
}

void GetFileForm::OnCommand(int id, int code) {
  if (id != IDC_FILE_SELECT || code != BN_CLICKED) return;
  std::string text = Text(IDC_FILE_NAME);
  if (SelectInputFile(state_, text, filter_) == SelectResult::Changed) SetText(IDC_FILE_NAME, text);
}

}  // namespace corvela::win
