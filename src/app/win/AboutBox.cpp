#include "app/win/AboutBox.h"

#include "platform/win/ResourceIds.h"

namespace corvela::win {

AboutBox::AboutBox() : ModalDialog(IDD_ABOUT) {}

DialogPlacement AboutBox::Placement() const {
  RECT client{0, 0, 0, 0};
  ::GetClientRect(hwnd(), &client);
  return {{client.right, client.bottom}, true, {}};
}

void AboutBox::OnInit() {
  HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP));
  ::SendDlgItemMessageW(hwnd(), IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

}  // namespace corvela::win
