#include "designer/win/EditForm.h"

namespace corvela::win {

bool EditForm::Create() {
  WindowClassArgs cls;
  cls.Name = "TEditForm";
  WindowArgs args;
  args.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  args.Title = state_.Project.Form.Caption + " [Design]";
  args.X = state_.Project.Form.Left;
  args.Y = state_.Project.Form.Top;
  args.Width = 600;
  args.Height = 420;
  return Window::Create(cls, args);
}

bool EditForm::ExecuteCommand(unsigned) { return false; }

void EditForm::FitToMenuWindow() {
  const FormSettings& f = state_.Project.Form;
  ::SetWindowTextA(hwnd(), (f.Caption + " [Design]").c_str());
  ::SetWindowPos(hwnd(), nullptr, f.Left, f.Top, f.Width, f.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  RefreshSurface();
}

void EditForm::RefreshSurface() { ::InvalidateRect(hwnd(), nullptr, FALSE); }

LRESULT EditForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      if (ClosingAllowed) Destroy();
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace corvela::win
