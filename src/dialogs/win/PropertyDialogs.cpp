#include "dialogs/win/PropertyDialogs.h"

#include "dialogs/win/GetFileForm.h"

namespace corvela::win {

PropertyDialogs::PropertyDialogs(AppState& state)
    : state_(state), form_(state), button_(state), image_(state), link_(state) {}

bool PropertyDialogs::GetFile(std::string& field, bool allowUrl, const std::string& filter) {
  GetFileForm input(state_);
  return input.Execute(field, allowUrl, filter);
}

}  // namespace corvela::win
