#pragma once
// TFormPropertyForm: "Form Properties", the menu window as a whole.

#include "dialogs/FormPropertiesRules.h"
#include "dialogs/win/DialogControls.h"
#include "dialogs/win/ModalDialog.h"

namespace corvela::win {

class FormPropertyForm : public ModalDialog {
 public:
  explicit FormPropertyForm(AppState& state);
  // Fills the dialog from the project and the menu's inner size and shows it; true when OK was
  // pressed after a change, and the project and the size have then been written. False at once
  // without a project.
  bool Execute(MenuProject* project, Size& menuSize);

 protected:
  DialogPlacement Placement() const override { return {{618, 346}, true, {}}; }
  std::vector<FixedSizeControl> FixedSizes() const override;
  void OnInit() override;
  void OnOK() override;
  bool CanClose() override;
  void OnCommand(int id, int code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void PickColour(Colour& colour, int swatchId);

  AppState& state_;
  FormPropertiesFields fields_;
  ColourChooser colours_;
};

}  // namespace corvela::win
