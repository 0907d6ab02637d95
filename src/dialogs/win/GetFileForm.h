#pragma once
// TGetFileForm: the file input that asks for the file (or, for HTML, the URL) of a pane object.

#include <string>

#include "dialogs/FileInputRules.h"
#include "dialogs/win/ModalDialog.h"

namespace corvela::win {

class GetFileForm : public ModalDialog {
 public:
  explicit GetFileForm(AppState& state);
  // Shows the dialog on fileName; true when OK was pressed after a change of the text, and
  // fileName then holds the new text trimmed. The chooser of "Select..." uses filter.
  bool Execute(std::string& fileName, bool allowUrl, const std::string& filter);

 protected:
  DialogPlacement Placement() const override { return {{427, 155}, true, {}}; }
  void OnInit() override;
  void OnOK() override;
  void OnCommand(int id, int code) override;

 private:
  AppState& state_;
  bool allowUrl_ = false;
  std::string filter_;
  std::string text_;
};

}  // namespace corvela::win
