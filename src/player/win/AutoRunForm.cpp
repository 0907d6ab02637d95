#include "player/win/AutoRunForm.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win/Dpi.h"
#include "platform/win/ResourceIds.h"
#include "platform/win/WideText.h"
#include "platform/win/Win32Colours.h"
#include "platform/win/Win32Graphics.h"
#include "platform/win/Win32Services.h"
#include "player/DpiLayout.h"
#include "player/Links.h"
#include "player/MenuFrame.h"
#include "player/PlayerStart.h"
#include "player/win/FrameStyles.h"
#include "player/win/GradientForm.h"
#include "player/win/PanelPaint.h"
#include "project/Resources.h"

namespace corvela::win {

namespace {
// Posted at creation in place of a 10 ms timer: the start runs as soon as the loop does.
constexpr UINT kStartMessage = WM_APP + 1;
// Posted once the first complete paint is on screen.
constexpr UINT kAfterFirstPaintMessage = WM_APP + 2;

int ShowCommandFor(const FormSettings& form) {
  switch (FrameFor(form).State) {
    case static_cast<uint8_t>(WindowState::Minimized):
      return SW_SHOWMINIMIZED;
    case static_cast<uint8_t>(WindowState::Maximized):
      return SW_SHOWMAXIMIZED;
    default:
      return SW_SHOW;
  }
}

// The icon file's own small frame, rather than the large one scaled down by the taskbar.
HICON SmallIconOf(HINSTANCE instance, const wchar_t* name, UINT flags) {
  return static_cast<HICON>(::LoadImageW(instance, name, IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                         ::GetSystemMetrics(SM_CYSMICON), flags));
}
}  // namespace

AutoRunForm::~AutoRunForm() {
  for (auto& obj : state_.Project.Objects)
    if (obj) obj->Pane.reset();
}

bool AutoRunForm::Create() {
  WindowClassArgs cls;
  cls.Name = "TAutoRunForm";
  // The window system converts a class icon for every window the class makes, before it can show:
  // the player's window gets its icons after the first paint instead.
  if (state_.DesignerMode) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    cls.Icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_MENU));
    cls.SmallIcon = SmallIconOf(instance, MAKEINTRESOURCEW(IDI_MENU), LR_SHARED);
  }
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
  panel1_.SetFocusHooks(&keyboard_);
  keyboard_.OnFocusMoved = [this](int, int focused) { accessibility_.FocusMoved(focused); };
  // The designer draws its menu in design pixels; a player at its monitor's resolution.
  if (!state_.DesignerMode) {
    monitorDpi_ = WindowDpi(hwnd());
    scale_ = DpiScale(monitorDpi_);
  }
  ::PostMessageW(hwnd(), kStartMessage, 0, 0);
  return true;
}

void AutoRunForm::Timer1Timer() {
  beforeFirstPaint_ = !state_.DesignerMode;
  switch (LoadPlayerProject(state_)) {
    case StartOutcome::Designer:
      return;
    case StartOutcome::Close:
      ::DestroyWindow(hwnd());
      return;
    case StartOutcome::Run:
      break;
  }
  // The load has applied the project: the window appears once, at its size and with everything
  // on it, and is painted before anything else runs.
  PaintBackground();
  PrerenderBackground();
  // Message boxes take the menu's caption as the application's title from now on.
  if (auto* ui = dynamic_cast<Win32Ui*>(state_.Env.Ui)) ui->Title = state_.Project.Form.Caption;
  ::ShowWindow(hwnd(), ShowCommandFor(state_.Project.Form));
  ValidateCoveredArea();
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::PostMessageW(hwnd(), kAfterFirstPaintMessage, 0, 0);
}

void AutoRunForm::AfterFirstPaint() {
  beforeFirstPaint_ = false;
  prerendered_.reset();
  if (auto* loader = dynamic_cast<Win32GraphicLoader*>(state_.Env.Graphics)) loader->EndPrefetch();
  if (OnFirstPaint) OnFirstPaint();
  // Reading the icon file and handing icons to the window system each cost about as much as
  // drawing the menu: they follow it.
  if (iconPending_) {
    iconPending_ = false;
    ApplyFormIcon(state_);
  }
  if (!icon_) ShowIcons();
  // Each pane's DLL (rich edit, animation, browser) loads here rather than before the menu shows.
  WireObjects();
  auto pending = std::move(pendingContents_);
  pendingContents_.clear();
  for (auto& [obj, path] : pending) ShowContent(*obj, path);
  keyboard_.Start(hwnd());
  // An "Exit AutoRun" start link closes the window that has just appeared.
  PlayStartSoundAndLink(state_);
}

void AutoRunForm::ShowIcons() {
  // The menu window is the program's main window, so its own icon is what the taskbar shows.
  if (beforeFirstPaint_) return;
  if (icon_) {
    SendIcons(icon_.get(), smallIcon_ ? smallIcon_.get() : icon_.get());
    return;
  }
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  SendIcons(::LoadIconW(instance, MAKEINTRESOURCEW(IDI_MENU)),
            SmallIconOf(instance, MAKEINTRESOURCEW(IDI_MENU), LR_SHARED));
}

void AutoRunForm::SendIcons(HICON large, HICON smallFrame) {
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallFrame ? smallFrame : large));
}

void AutoRunForm::FormResize() {
  LayoutPanels();
  if (suppressResize_) return;
  PaintBackground();
  state_.Modified = true;
}

bool AutoRunForm::LayoutPanels() {
  if (!panel_.hwnd() || !panel1_.hwnd()) return false;
  RECT before;
  ::GetClientRect(panel1_.hwnd(), &before);
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  const MenuPanelLayout layout =
      LayoutMenuPanels(rc.right, rc.bottom, state_.Project.Form.BorderWidth, state_.Project.Panel, scale_);
  const Rect& p = layout.Panel;
  const Rect& i = layout.Inner;
  ::SetWindowPos(panel_.hwnd(), nullptr, p.Left, p.Top, p.Width(), p.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(panel1_.hwnd(), nullptr, i.Left, i.Top, i.Width(), i.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  ::InvalidateRect(panel_.hwnd(), nullptr, FALSE);
  return before.right != i.Width() || before.bottom != i.Height();
}

void AutoRunForm::FormSettingsChanged() {
  const FormSettings& f = state_.Project.Form;
  SetWindowTextUtf8(hwnd(), f.Caption);
  // Frame and colour key first, so that the window never shows at its size without them.
  ApplyTransparency();
  FrameStyleBits bits = StylesFor(FrameFor(f));
  // A tool-window frame alone would leave the menu without a taskbar button or Alt+Tab entry.
  if (bits.ExStyle & WS_EX_TOOLWINDOW) bits.ExStyle |= WS_EX_APPWINDOW;
  ApplyFrameStyles(hwnd(), bits);
  // At the design resolution the monitor is never asked: the window stays where the loader put it.
  const MenuPlacement at = PlaceMenuWindow(f, monitorDpi_, monitorDpi_ == kDesignDpi ? Rect{} : WorkAreaOf(hwnd()));
  const bool rescaled = at.Scale.Dpi() != scale_.Dpi();
  scale_ = at.Scale;
  const int width = std::max(at.Window.Width(), 0), height = std::max(at.Window.Height(), 0);
  ::SetWindowPos(hwnd(), nullptr, at.Window.Left, at.Window.Top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (rescaled) {
    Rescale(scale_);
  } else if (LayoutPanels() && !suppressResize_) {
    // Margins and bevels can change the inner panel's size while the window keeps its own; the
    // background picture is made for the inner panel's size.
    PaintBackground();
  }
  ApplyWindowState();
}

void AutoRunForm::ApplyTransparency() {
  ApplyColourKey(hwnd(), state_.Project.Form);
}

void AutoRunForm::ApplyWindowState() {
  // The designer's menu window is never shown: its state only matters once a player shows it.
  if (!::IsWindowVisible(hwnd())) return;
  switch (FrameFor(state_.Project.Form).State) {
    case static_cast<uint8_t>(WindowState::Minimized):
      if (!::IsIconic(hwnd())) ::ShowWindow(hwnd(), SW_MINIMIZE);
      break;
    case static_cast<uint8_t>(WindowState::Maximized):
      if (!::IsZoomed(hwnd())) ::ShowWindow(hwnd(), SW_MAXIMIZE);
      break;
    default:
      if (::IsIconic(hwnd()) || ::IsZoomed(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
      break;
  }
}

bool AutoRunForm::LoadWindowIcon(const std::string& path) {
  // Chosen again after the first paint, from the same candidates.
  if (beforeFirstPaint_) {
    iconPending_ = true;
    return true;
  }
  const std::wstring file = Wide(path);
  HICON icon =
      static_cast<HICON>(::LoadImageW(nullptr, file.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
  if (!icon) return false;
  icon_.reset(icon);
  smallIcon_.reset(SmallIconOf(nullptr, file.c_str(), LR_LOADFROMFILE));
  ShowIcons();
  return true;
}

void AutoRunForm::UseApplicationIcon() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  SendIcons(::LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP)),
            SmallIconOf(instance, MAKEINTRESOURCEW(IDI_APP), LR_SHARED));
  icon_.reset();
  smallIcon_.reset();
}

void AutoRunForm::SetDpi(int dpi) {
  monitorDpi_ = dpi;
  Rescale(PlaceMenuWindow(state_.Project.Form, dpi, WorkAreaOf(hwnd())).Scale);
}

void AutoRunForm::Rescale(const DpiScale& scale) {
  scale_ = scale;
  LayoutPanels();
  PaintBackground();
  WireObjects();
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void AutoRunForm::DpiChanged(int dpi, const RECT& suggested) {
  monitorDpi_ = dpi;
  // Windows suggests the old size in proportion, which is too large when that size was lowered to
  // fit the old monitor or is to be lowered to fit this one.
  const MenuPlacement at = PlaceMenuWindow(state_.Project.Form, dpi, WorkAreaNear(suggested));
  scale_ = at.Scale;
  // The resize lays the panels out and paints the background again at the new resolution.
  ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, std::max(at.Window.Width(), 0),
                 std::max(at.Window.Height(), 0), SWP_NOZORDER | SWP_NOACTIVATE);
  Rescale(at.Scale);
}

void AutoRunForm::CloseMenu() {
  // Posted, so that a click or the start sequence that asked for it finishes first.
  if (!state_.DesignerMode && hwnd()) ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void AutoRunForm::ValidateCoveredArea() {
  RECT panel;
  if (!panel_.hwnd() || !::GetWindowRect(panel_.hwnd(), &panel)) return;
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&panel), 2);
  ::ValidateRect(hwnd(), &panel);
}

void AutoRunForm::PaintForm(HDC dc, const RECT& client) {
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT AutoRunForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (LRESULT result; keyboard_.OnMessage(hwnd(), msg, wp, lp, result)) return result;
  if (LRESULT result; accessibility_.OnMessage(hwnd(), msg, wp, lp, result)) return result;
  switch (msg) {
    case kStartMessage:
      Timer1Timer();
      return 0;
    case kAfterFirstPaintMessage:
      AfterFirstPaint();
      return 0;
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_GETMINMAXINFO:
      // The designer's hidden menu window takes every size the design surface gives it, which
      // keeps the menu's limits itself.
      if (!state_.DesignerMode) break;
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = POINT{0, 0};
      reinterpret_cast<MINMAXINFO*>(lp)->ptMaxTrackSize = POINT{32767, 32767};
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      HandleDirectPaintMessage(hwnd(), msg, wp, [this](HDC dc, const RECT& rc) { PaintForm(dc, rc); });
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      // A high-contrast theme coming or going changes every colour the menu is drawn in.
      if (msg == WM_SETTINGCHANGE && wp != SPI_SETHIGHCONTRAST) break;
      if (state_.Env.Colours) state_.Env.Colours->SettingsChanged();
      ThemeChanged();
      PaintBackground();
      ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      break;
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_DESTROY:
      if (!state_.DesignerMode) ::PostQuitMessage(0);
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace corvela::win
