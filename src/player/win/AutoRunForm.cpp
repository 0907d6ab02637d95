#include "player/win/AutoRunForm.h"

#include "app/win/ResourceIds.h"

namespace corvela::win {

namespace {
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 10;

COLORREF ToColorRef(Colour c) {
  if (c & kSystemColourFlag) return ::GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c & 0x00FFFFFF);
}
}  // namespace

bool AutoRunForm::Create() {
  WindowClassArgs cls;
  cls.Name = "TAutoRunForm";
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  cls.Icon = ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_MENU));
  WindowArgs args;
  args.Style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
  args.Title = "AutoRun";
  // Created without area so that no design size ever shows before the project is applied.
  args.X = args.Y = 0;
  args.Width = args.Height = 0;
  suppressResize_ = true;
  bool ok = Window::Create(cls, args) && panel_.Create(hwnd()) && panel1_.Create(panel_.hwnd());
  suppressResize_ = false;
  if (!ok) return false;
  ::SetTimer(hwnd(), kTimer1, kTimer1Interval, nullptr);
  return true;
}

void AutoRunForm::Timer1Timer() {
  ::KillTimer(hwnd(), kTimer1);
  state_.Modified = false;
}

void AutoRunForm::FormResize() {
  LayoutPanels();
  if (suppressResize_) return;
  PaintBackground();
  state_.Modified = true;
}

void AutoRunForm::LayoutPanels() {
  if (!panel_.hwnd()) return;
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  ::MoveWindow(panel_.hwnd(), 0, 0, rc.right, rc.bottom, TRUE);
  ::GetClientRect(panel_.hwnd(), &rc);
  ::MoveWindow(panel1_.hwnd(), 0, 0, rc.right, rc.bottom, TRUE);
}

void AutoRunForm::FormSettingsChanged() {
  const FormSettings& f = state_.Project.Form;
  ::SetWindowTextA(hwnd(), f.Caption.c_str());
  ::SetWindowPos(hwnd(), nullptr, f.Left, f.Top, f.Width, f.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void AutoRunForm::PaintBackground() {
  if (panel1_.hwnd()) ::InvalidateRect(panel1_.hwnd(), nullptr, FALSE);
}

bool AutoRunForm::LoadWindowIcon(const std::string& path) {
  HICON icon = static_cast<HICON>(::LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
  if (!icon) return false;
  icon_.reset(icon);
  ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  return true;
}

void AutoRunForm::UseApplicationIcon() {
  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  icon_.reset();
}

void AutoRunForm::PlayAvi(MenuObject&, const std::string&) {}
void AutoRunForm::NavigateHtml(MenuObject&, const std::string&) {}
void AutoRunForm::LoadRtf(MenuObject&, const std::string&) {}
void AutoRunForm::WireObjects() { PaintBackground(); }

void AutoRunForm::PaintInner(HDC dc, const RECT& client) {
  UniqueBrush brush(::CreateSolidBrush(ToColorRef(state_.Project.BackColor)));
  ::FillRect(dc, &client, brush.get());
}

LRESULT AutoRunForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimer1) Timer1Timer();
      return 0;
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      if (!state_.DesignerMode) ::PostQuitMessage(0);
      return 0;
  }
  return Default(msg, wp, lp);
}

bool AutoRunForm::PanelWindow::Create(HWND parent) {
  WindowClassArgs cls;
  cls.Name = "TPanel";
  WindowArgs args;
  args.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  args.X = args.Y = 0;
  args.Width = args.Height = 0;
  args.Parent = parent;
  return Window::Create(cls, args);
}

LRESULT AutoRunForm::PanelWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintScope ps(hwnd());
      RECT rc;
      ::GetClientRect(hwnd(), &rc);
      BufferDc buffer(ps.get(), rc.right, rc.bottom);
      if (inner_) {
        form_.PaintInner(buffer.get(), rc);
      } else {
        ::FillRect(buffer.get(), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
      }
      ::BitBlt(ps.get(), 0, 0, rc.right, rc.bottom, buffer.get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT rc;
      ::GetClientRect(hwnd(), &rc);
      if (inner_)
        form_.PaintInner(reinterpret_cast<HDC>(wp), rc);
      else
        ::FillRect(reinterpret_cast<HDC>(wp), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
      return 0;
    }
  }
  return Default(msg, wp, lp);
}

}  // namespace corvela::win
