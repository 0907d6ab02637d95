#pragma once
// The designer's dialogs, made once at start-up and reused; each call fills its dialog afresh.
// The file input is made for each call.

#include <windows.h>

#include "dialogs/DialogOpener.h"
#include "dialogs/win/ButtonPropertyForm.h"
#include "dialogs/win/FormPropertyForm.h"
#include "dialogs/win/ImagePropertyForm.h"
#include "dialogs/win/LabelPropertyForm.h"
#include "dialogs/win/LinkForm.h"

namespace corvela::win {

class PropertyDialogs : public DialogOpener {
 public:
  explicit PropertyDialogs(AppState& state);

  bool EditFormProperties(MenuProject& project, Size& menuSize) override { return form_.Execute(&project, menuSize); }
  bool EditLabelProperties(MenuObject& obj) override { return label_.Execute(&obj); }
  bool EditButtonProperties(MenuObject& obj) override { return button_.Execute(&obj); }
  bool EditImageProperties(MenuObject& obj) override { return image_.Execute(&obj); }
  bool EditLink(ObjectLink& link) override { return link_.Execute(&link); }
  bool GetFile(std::string& field, bool allowUrl, const std::string& filter) override;

 private:
  AppState& state_;
  FormPropertyForm form_;
  LabelPropertyForm label_;
  ButtonPropertyForm button_;
  ImagePropertyForm image_;
  LinkForm link_;
};

}  // namespace corvela::win
