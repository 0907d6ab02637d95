#include "app/win/MainForm.h"

#include "app/win/ResourceIds.h"
#include "designer/win/EditForm.h"

namespace corvela::win {

bool MainForm::Create() {
  WindowClassArgs cls;
  cls.Name = "TMainForm";
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  cls.Icon = ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
  cls.Background = ::GetSysColorBrush(COLOR_BTNFACE);
  WindowArgs args;
  args.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  args.Title = "Corvela";
  args.X = 0;
  args.Y = 0;
  args.Width = 800;
  args.Height = 100;
  if (!Window::Create(cls, args)) return false;
  FormCreate();
  return true;
}

void MainForm::FormCreate() {
  BaseCaption = "Corvela";
  ClosingAllowed = false;
  ::SetWindowPos(hwnd(), nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), 100, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT MainForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      ClosingAllowed = true;
      editForm_.ClosingAllowed = true;
      Destroy();
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace corvela::win
