#include "player/win/AutoRunForm.h"

#include <windowsx.h>

#include "app/win/ResourceIds.h"
#include "platform/win/Win32Services.h"
#include "player/Links.h"
#include "player/MenuFrame.h"
#include "player/win/FrameStyles.h"
#include "player/win/GradientForm.h"
#include "player/win/PanelPaint.h"
#include "project/ProjectFile.h"
#include "project/Resources.h"

namespace corvela::win {

namespace {
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 10;

COLORREF ToColorRef(Colour c) {
  if (c & kSystemColourFlag) return ::GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c & 0x00FFFFFF);
}
}  // namespace

AutoRunForm::~AutoRunForm() {
  for (auto& obj : state_.Project.Objects)
    if (obj) obj->Pane.reset();
}

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
  if (state_.DesignerMode) return;

  // Resources are applied inside LoadProject and once more below: each missing file is reported
  // only the first time.
  state_.ReportMissingOnce = true;
  state_.ReportedMissing.clear();
  const bool loaded = LoadProject(state_, state_.ProjectFileName);
  const FormSettings& form = state_.Project.Form;
  if (!loaded && (form.Width <= 0 || form.Height <= 0)) {
    // Nothing was loaded (no file, not a project, unreadable, or broken before the window's
    // settings): LoadProject has shown why, and an invisible window would only linger.
    state_.ReportMissingOnce = false;
    ::DestroyWindow(hwnd());
    return;
  }
  // Panel1 takes BackColor, which the inner panel paints from.
  ::InvalidateRect(panel1_.hwnd(), nullptr, FALSE);
  ApplyAllObjectResources(state_);
  state_.ReportMissingOnce = false;
  state_.ReportedMissing.clear();
  PaintBackground();
  TakeApplicationTitleAndIcon();
  // An "Exit AutoRun" start link closes the window that has just appeared.
  PlayStartSoundAndLink(state_);
}

void AutoRunForm::TakeApplicationTitleAndIcon() {
  // The menu window is the program's main window, so its own caption and icon are what the
  // taskbar shows; message boxes take the caption as the application's title.
  if (auto* ui = dynamic_cast<Win32Ui*>(state_.Env.Ui)) ui->Title = state_.Project.Form.Caption;
  HICON icon = icon_ ? icon_.get() : reinterpret_cast<HICON>(::GetClassLongPtrA(hwnd(), GCLP_HICON));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
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
      LayoutMenuPanels(rc.right, rc.bottom, state_.Project.Form.BorderWidth, state_.Project.Panel);
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
  ::SetWindowTextA(hwnd(), f.Caption.c_str());
  // Frame and colour key first, so that the window never shows at its size without them.
  ApplyTransparency();
  ApplyFrameStyles(hwnd(), StylesFor(FrameFor(f)));
  const int width = f.Width > 0 ? f.Width : 0;
  const int height = f.Height > 0 ? f.Height : 0;
  ::SetWindowPos(hwnd(), nullptr, f.Left, f.Top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  // Margins and bevels can change the inner panel's size while the window keeps its own; the
  // background picture is made for the inner panel's size.
  if (LayoutPanels() && !suppressResize_) PaintBackground();
  ApplyWindowState();
}

void AutoRunForm::ApplyTransparency() {
  const FormSettings& f = state_.Project.Form;
  const DWORD ex = static_cast<DWORD>(::GetWindowLongPtrA(hwnd(), GWL_EXSTYLE));
  if (f.TransparentColor) {
    ::SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, static_cast<LONG_PTR>(ex | WS_EX_LAYERED));
    ::SetLayeredWindowAttributes(hwnd(), ToColorRef(f.TransparentColorValue), 0, LWA_COLORKEY);
  } else if (ex & WS_EX_LAYERED) {
    // Taking the style away also drops the colour key.
    ::SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, static_cast<LONG_PTR>(ex & ~WS_EX_LAYERED));
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
  }
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

void AutoRunForm::PaintBackground() {
  background_.reset();
  if (!panel1_.hwnd()) return;
  RECT rc;
  ::GetClientRect(panel1_.hwnd(), &rc);
  background_ = gradient_ ? gradient_->RenderBackground(state_, rc.right, rc.bottom)
                          : win::RenderBackground(state_, rc.right, rc.bottom);
  ::InvalidateRect(panel1_.hwnd(), nullptr, FALSE);
}

bool AutoRunForm::LoadWindowIcon(const std::string& path) {
  HICON icon =
      static_cast<HICON>(::LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
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

Pane* AutoRunForm::PaneOf(MenuObject& obj) {
  auto* pane = dynamic_cast<Pane*>(obj.Pane.get());
  if (pane && pane->Kind() == obj.Kind) return pane;
  obj.Pane.reset();
  if (!panel1_.hwnd()) return nullptr;
  std::unique_ptr<Pane> made = CreatePane(obj.Kind, panel1_.hwnd(), obj.Base());
  if (!made) return nullptr;
  pane = made.get();
  obj.Pane = std::move(made);
  return pane;
}

void AutoRunForm::PlayAvi(MenuObject& obj, const std::string& path) {
  if (auto* pane = dynamic_cast<AviPane*>(PaneOf(obj))) pane->Play(path);
}

void AutoRunForm::NavigateHtml(MenuObject& obj, const std::string& url) {
  if (auto* pane = dynamic_cast<HtmlPane*>(PaneOf(obj))) pane->Navigate(url);
}

void AutoRunForm::LoadRtf(MenuObject& obj, const std::string& path) {
  if (auto* pane = dynamic_cast<RtfPane*>(PaneOf(obj))) pane->Load(path);
}

void AutoRunForm::WireObjects() {
  // Each pane goes to the top in list order, so a later pane lies above an earlier one; all of
  // them are child windows and so lie above what the panel paints itself.
  for (auto& obj : state_.Project.Objects) {
    if (!obj) continue;
    Pane* pane = PaneOf(*obj);
    if (!pane) continue;
    pane->Place(obj->Base());
    ::SetWindowPos(pane->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  mouse_.Reset();
  // The objects changed, the background did not.
  ::InvalidateRect(panel1_.hwnd(), nullptr, FALSE);
}

void AutoRunForm::CloseMenu() {
  // Posted, so that a click or the start sequence that asked for it finishes first.
  if (!state_.DesignerMode && hwnd()) ::PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

bool AutoRunForm::SetPaneCursor(HWND child) {
  for (auto& obj : state_.Project.Objects) {
    auto* pane = obj ? dynamic_cast<Pane*>(obj->Pane.get()) : nullptr;
    if (pane && pane->Handle() == child && obj->HasLink()) {
      ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
      return true;
    }
  }
  return false;
}

bool AutoRunForm::SetPanelCursor() {
  // The designer's menu window is never shown; its panel keeps the class cursor.
  if (state_.DesignerMode) return false;
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(panel1_.hwnd(), &pt);
  ::SetCursor(::LoadCursorA(nullptr, ShowsHandAt(state_.Project, pt.x, pt.y) ? IDC_HAND : IDC_ARROW));
  return true;
}

bool AutoRunForm::Panel1Mouse(UINT msg, LPARAM lp) {
  if (state_.DesignerMode) return false;
  HWND panel = panel1_.hwnd();
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  RECT client;
  ::GetClientRect(panel, &client);
  const bool over = x >= 0 && y >= 0 && x < client.right && y < client.bottom;
  PanelMouseResult result;
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!leaveTracked_) {
        // Flat buttons lose their hover look when the mouse leaves the panel.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, panel, 0};
        leaveTracked_ = ::TrackMouseEvent(&track) != FALSE;
      }
      result = mouse_.Move(state_, x, y, over);
      break;
    case WM_MOUSELEAVE:
      leaveTracked_ = false;
      result = mouse_.Leave(state_);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the second press of a quick pair is a press like the first
      result = mouse_.Down(state_, x, y, over);
      if (mouse_.Pressing()) ::SetCapture(panel);
      break;
    case WM_LBUTTONUP:
      result = mouse_.Up(state_, x, y, over);
      if (::GetCapture() == panel) ::ReleaseCapture();
      // Capture may have hidden the leave from the panel: ask again on the next move.
      leaveTracked_ = false;
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != panel) result = mouse_.CaptureLost(state_);
      leaveTracked_ = false;
      break;
    default:
      return false;
  }
  for (const Rect& r : result.Repaint) {
    const RECT rect = ToRECT(r);
    ::InvalidateRect(panel, &rect, FALSE);
  }
  // At once: a hot look that waits for the next idle moment lags behind the mouse.
  if (!result.Repaint.empty()) ::UpdateWindow(panel);
  if (result.ClickedTag >= 0) ObjectClick(state_, result.ClickedTag);
  return true;
}

void AutoRunForm::PaintForm(HDC dc, const RECT& client) {
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
}

void AutoRunForm::PaintPanel(HDC dc, const RECT& client) {
  HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  ::FillRect(dc, &client, face);
  const MenuPanelLayout layout = LayoutMenuPanels(client.right, client.bottom, 0, state_.Project.Panel);
  for (const PanelBand& band : layout.Bands) DrawPanelBand(dc, band, face);
}

void AutoRunForm::PaintInner(HDC dc, const RECT& client) {
  UniqueBrush brush(::CreateSolidBrush(ToColorRef(state_.Project.BackColor)));
  ::FillRect(dc, &client, brush.get());
  DrawBackground(dc, background_.get(), client.right, client.bottom);
  painter_.PaintObjects(dc, state_, mouse_.States());
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
    case WM_PAINT:
    case WM_PRINTCLIENT:
      HandlePaintMessage(hwnd(), msg, wp, [this](HDC dc, const RECT& rc) { PaintForm(dc, rc); });
      return 0;
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
    case WM_PAINT:
    case WM_PRINTCLIENT:
      HandlePaintMessage(hwnd(), msg, wp, [this](HDC dc, const RECT& rc) {
        if (inner_)
          form_.PaintInner(dc, rc);
        else
          form_.PaintPanel(dc, rc);
      });
      return 0;
    case WM_SETCURSOR:
      if (!inner_) break;
      // Panes ask their parent first; a pane with a link shows the hand like painted objects.
      if (reinterpret_cast<HWND>(wp) != hwnd()) {
        if (form_.SetPaneCursor(reinterpret_cast<HWND>(wp))) return TRUE;
      } else if (LOWORD(lp) == HTCLIENT && form_.SetPanelCursor()) {
        return TRUE;
      }
      break;
    default:
      if (inner_ && form_.Panel1Mouse(msg, lp)) return 0;
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace corvela::win
