#include "dialogs/win/PropertyDialogs.h"

#include "dialogs/win/GetFileForm.h"

namespace corvela::win {

PropertyDialogs::PropertyDialogs(AppState& state)
    : state_(state), form_(state), button_(state), image_(state), link_(state) {}

void PropertyDialogs::SetOwner(HWND owner) {
  owner_ = owner;
  form_.Owner = label_.Owner = button_.Owner = image_.Owner = link_.Owner = owner;
}

bool PropertyDialogs::GetFile(std::string& field, bool allowUrl, const std::string& filter) {
  GetFileForm input(state_);
  input.Owner = owner_;
  return input.Execute(field, allowUrl, filter);
}

}  // namespace corvela::win
