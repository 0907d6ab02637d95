#pragma once
// TLinkForm: "Edit Link", one link (the start link or an object's).

#include "dialogs/LinkEditorRules.h"
#include "dialogs/win/ModalDialog.h"
#include "platform/win/Handles.h"

namespace corvela::win {

class LinkForm : public ModalDialog {
 public:
  explicit LinkForm(AppState& state);
  // True when OK was pressed after a change, and the link has then been written. False at once
  // without a link.
  bool Execute(ObjectLink* link);

 protected:
  // Wide enough for the longest action to show whole in the closed list.
  DialogPlacement Placement() const override { return {{630, 170}, true, {}}; }
  std::vector<FixedSizeControl> FixedSizes() const override;
  void OnInit() override;
  void OnOK() override;
  void OnCommand(int id, int code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void ApplyEnabling(int action);
  void Browse();
  void AddBrowseTip();
  void WidenActionList();

  AppState& state_;
  LinkEditorFields fields_;
  UniqueWindow tooltip_;
};

}  // namespace corvela::win
