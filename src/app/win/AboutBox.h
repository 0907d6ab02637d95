#pragma once
// Help > About: the designer's icon, logo, version and addresses, closed with OK.

#include "dialogs/win/ModalDialog.h"

namespace corvela::win {

class AboutBox : public ModalDialog {
 public:
  AboutBox();
  void Execute() { RunModal(); }

 protected:
  // The template as the dialog manager made it: nothing is stretched.
  DialogPlacement Placement() const override;
  void OnInit() override;
  void OnOK() override {}
};

}  // namespace corvela::win
