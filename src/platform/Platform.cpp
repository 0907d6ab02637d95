#include "platform/Platform.h"

namespace corvela {

std::string ToDialogFilter(const std::string& filter) {
  if (filter.empty()) return {};
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

void ShowError(Platform& platform, const std::string& text) {
  platform.Ui->AskUser(text, "Error", MessageIcon::Error, MessageButtons::Ok);
}

void ShowMessage(Platform& platform, const std::string& text) {
  platform.Ui->AskUser(text, platform.Ui->ApplicationTitle(), MessageIcon::None, MessageButtons::Ok);
}

}  // namespace corvela
