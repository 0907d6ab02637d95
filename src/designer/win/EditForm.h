#pragma once
// TEditForm: the design surface, lying where the menu window would be.

#include "platform/win/Window.h"
#include "project/Model.h"

namespace corvela::win {

class EditForm : public Window {
 public:
  explicit EditForm(AppState& state) : state_(state) {}
  bool Create();
  // Set by the main window once it has agreed to close; until then closing is refused.
  bool ClosingAllowed = false;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  AppState& state_;
};

}  // namespace corvela::win
