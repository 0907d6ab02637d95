#pragma once
// TButtonPropertyForm: "Button Properties", one button object.

#include "dialogs/ButtonPropertiesRules.h"
#include "dialogs/win/ModalDialog.h"

namespace corvela::win {

class ButtonPropertyForm : public ModalDialog {
 public:
  explicit ButtonPropertyForm(AppState& state);
  // True when OK was pressed after a change, and the button has then been written. False at once
  // without an object or for one that is not a button.
  bool Execute(MenuObject* obj);

 protected:
  DialogPlacement Placement() const override { return {{448, 329}, true, {}}; }
  std::vector<FixedSizeControl> FixedSizes() const override;
  void OnInit() override;
  void OnOK() override;
  void OnCommand(int id, int code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void PickFont(FontRecord& font, int sampleId);
  void SelectBitmap(int editId);

  AppState& state_;
  ButtonPropertiesFields fields_;
};

}  // namespace corvela::win
