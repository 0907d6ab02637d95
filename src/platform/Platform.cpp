#include "platform/Platform.h"

namespace corvela {

void ShowError(Platform& platform, const std::string& text) {
  platform.Ui->AskUser(text, "Error", MessageIcon::Error, MessageButtons::Ok);
}

void ShowMessage(Platform& platform, const std::string& text) {
  platform.Ui->AskUser(text, platform.Ui->ApplicationTitle(), MessageIcon::None, MessageButtons::Ok);
}

}  // namespace corvela
