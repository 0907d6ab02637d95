#pragma once
// TImagePropertyForm: "Image Properties", one image object.

#include "dialogs/ImagePropertiesRules.h"
#include "dialogs/win/ModalDialog.h"

namespace corvela::win {

class ImagePropertyForm : public ModalDialog {
 public:
  explicit ImagePropertyForm(AppState& state);
  // True when OK was pressed after a change, and the image has then been written. False at once
  // without an object or for one that is not an image.
  bool Execute(MenuObject* obj);

 protected:
  DialogPlacement Placement() const override { return {{488, 203}, true, {}}; }
  void OnInit() override;
  void OnOK() override;
  void OnCommand(int id, int code) override;

 private:
  void SelectPicture(int editId);

  AppState& state_;
  ImagePropertiesFields fields_;
};

}  // namespace corvela::win
