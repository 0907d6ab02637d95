#pragma once
// TMainForm: the designer's main window, a strip across the top of the screen.

#include <string>

#include "platform/win/Window.h"
#include "project/Model.h"

namespace corvela::win {

class EditForm;

class MainForm : public Window {
 public:
  MainForm(AppState& state, EditForm& editForm) : state_(state), editForm_(editForm) {}
  bool Create();

  std::string BaseCaption;
  bool ClosingAllowed = false;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  AppState& state_;
  EditForm& editForm_;
};

}  // namespace corvela::win
