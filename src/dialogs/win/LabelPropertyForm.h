#pragma once
// TLabelPropertyForm: "Label Properties", one label object.

#include "dialogs/LabelPropertiesRules.h"
#include "dialogs/win/DialogControls.h"
#include "dialogs/win/ModalDialog.h"

namespace corvela::win {

class LabelPropertyForm : public ModalDialog {
 public:
  LabelPropertyForm();
  // True when OK was pressed after a change, and the label has then been written. False at once
  // without an object or for one that is not a label.
  bool Execute(MenuObject* obj);

 protected:
  // Unlike the other dialogs it opens at its designed screen position.
  DialogPlacement Placement() const override { return {{422, 292}, false, {192, 107}}; }
  std::vector<FixedSizeControl> FixedSizes() const override;
  void OnInit() override;
  void OnOK() override;
  void OnCommand(int id, int code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void PickFont(FontRecord& font, int sampleId);

  LabelPropertiesFields fields_;
  ColourChooser colours_;
};

}  // namespace corvela::win
