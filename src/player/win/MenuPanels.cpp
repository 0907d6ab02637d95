#include "player/win/MenuPanels.h"

#include <windowsx.h>

#include "platform/win/PaintMessage.h"
#include "platform/win/Win32Colours.h"
#include "player/Links.h"
#include "player/HighContrast.h"
#include "player/MenuFrame.h"
#include "player/win/GradientForm.h"
#include "player/win/PanelPaint.h"
#include "player/win/Panes.h"

namespace corvela::win {

namespace {
// The panel's timer while the mouse is over a pane or the border, and how often it looks.
constexpr UINT_PTR kLeaveWatch = 1;
constexpr UINT kLeaveWatchMs = 100;

WindowClassArgs PanelClass() {
  WindowClassArgs cls;
  cls.Name = "TPanel";
  return cls;
}

WindowArgs PanelArgs(HWND parent) {
  WindowArgs args;
  args.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  args.X = args.Y = 0;
  args.Width = args.Height = 0;
  args.Parent = parent;
  return args;
}
}  // namespace

bool PaintedPanel::Create(HWND parent) {
  return Window::Create(PanelClass(), PanelArgs(parent));
}

LRESULT PaintedPanel::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (buffered_)
        HandleUpdatePaintMessage(hwnd(), msg, wp, [this](HDC dc, const RECT& rc) { Paint(dc, rc); });
      else
        HandleDirectPaintMessage(hwnd(), msg, wp, [this](HDC dc, const RECT& rc) { Paint(dc, rc); });
      return 0;
  }
  return Default(msg, wp, lp);
}

void OuterPanelWindow::Paint(HDC dc, const RECT& client) {
  HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
  ::FillRect(dc, &client, face);
  const MenuPanelLayout layout = LayoutMenuPanels(client.right, client.bottom, 0, project_.Panel, scale_);
  for (const PanelBand& band : layout.Bands) DrawPanelBand(dc, band, face);
}

void InnerPanelWindow::BackgroundChanged() {
  background_.reset();
  backgroundStale_ = true;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void InnerPanelWindow::ObjectsChanged() {
  mouse_.Reset();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void InnerPanelWindow::Paint(HDC dc, const RECT& client) {
  // Under a high-contrast theme the player's panel takes the theme's colour instead of the gradient.
  SystemColours* colours = state_.Env.Colours;
  const bool themed = !state_.DesignerMode && colours && colours->HighContrast();
  if (backgroundStale_ && render_ && !themed) {
    background_ = render_(client.right, client.bottom);
    backgroundStale_ = false;
  }
  // The picture, when there is one, is drawn over the whole panel: BackColor shows only without it.
  if (background_ && !themed) {
    DrawBackground(dc, background_.get(), client.right, client.bottom);
  } else {
    const Colour back = themed ? ThemedBackColor(state_.Project, colours) : state_.Project.BackColor;
    UniqueBrush brush(::CreateSolidBrush(GdiColour(back)));
    ::FillRect(dc, &client, brush.get());
  }
  painter_.PaintObjects(dc, state_, mouse_.States(), scale_);
  if (focusHooks_) focusHooks_->PaintFocus(dc);
}

bool InnerPanelWindow::SetPaneCursor(HWND child) {
  for (auto& obj : state_.Project.Objects) {
    auto* pane = obj ? dynamic_cast<Pane*>(obj->Pane.get()) : nullptr;
    if (pane && pane->Handle() == child && obj->HasLink()) {
      ::SetCursor(SystemCursor(IDC_HAND));
      return true;
    }
  }
  return false;
}

bool InnerPanelWindow::SetPanelCursor() {
  // The designer's menu window is never shown; its panel keeps the class cursor.
  if (state_.DesignerMode) return false;
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(hwnd(), &pt);
  const bool hand = ShowsHandAt(state_.Project, scale_.ToDesign(pt.x), scale_.ToDesign(pt.y));
  ::SetCursor(SystemCursor(hand ? IDC_HAND : IDC_ARROW));
  return true;
}

bool InnerPanelWindow::CursorLeftWindow() const {
  // Over a pane or the outer panel's border the mouse is still in the menu.
  POINT pt;
  if (!::GetCursorPos(&pt)) return true;
  HWND under = ::WindowFromPoint(pt);
  return !under || ::GetAncestor(under, GA_ROOT) != ::GetAncestor(hwnd(), GA_ROOT);
}

bool InnerPanelWindow::Mouse(UINT msg, LPARAM lp) {
  if (state_.DesignerMode) return false;
  HWND panel = hwnd();
  const int deviceX = GET_X_LPARAM(lp), deviceY = GET_Y_LPARAM(lp);
  RECT client;
  ::GetClientRect(panel, &client);
  const bool over = deviceX >= 0 && deviceY >= 0 && deviceX < client.right && deviceY < client.bottom;
  // Hit tests run on the design rectangles; the device pixel maps into the one drawn over it.
  const int x = scale_.ToDesign(deviceX), y = scale_.ToDesign(deviceY);
  PanelMouseResult result;
  switch (msg) {
    case WM_MOUSEMOVE:
      ::KillTimer(panel, kLeaveWatch);
      if (!leaveTracked_) {
        // Flat buttons lose their hover look when the mouse leaves the panel.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, panel, 0};
        leaveTracked_ = ::TrackMouseEvent(&track) != FALSE;
      }
      result = mouse_.Move(state_, x, y, over);
      break;
    case WM_MOUSELEAVE: {
      leaveTracked_ = false;
      const bool left = CursorLeftWindow();
      result = mouse_.Leave(state_, left);
      // Over a pane or the border the mouse is still in the menu. Only the AVI pane says when it
      // goes on out of the window; rich edits and the browser's own windows do not, so the panel
      // looks again until the mouse has gone or is back on it.
      if (!left) ::SetTimer(panel, kLeaveWatch, kLeaveWatchMs, nullptr);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the second press of a quick pair presses, but clicks no second time
      result = mouse_.Down(state_, x, y, over, msg == WM_LBUTTONDBLCLK);
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
  Apply(result);
  if (focusHooks_) focusHooks_->MouseHandled(msg);
  return true;
}

void InnerPanelWindow::WatchLeave() {
  if (!CursorLeftWindow()) return;
  ::KillTimer(hwnd(), kLeaveWatch);
  Apply(mouse_.Leave(state_, true));
  if (focusHooks_) focusHooks_->MouseHandled(WM_MOUSELEAVE);
}

void InnerPanelWindow::Apply(const PanelMouseResult& result) {
  HWND panel = hwnd();
  for (const Rect& r : result.Repaint) {
    const RECT rect = ToRECT(scale_.Bounds(r));
    ::InvalidateRect(panel, &rect, FALSE);
  }
  // At once: a hot look that waits for the next idle moment lags behind the mouse.
  if (!result.Repaint.empty()) ::UpdateWindow(panel);
  if (result.ClickedTag >= 0) ObjectClick(state_, result.ClickedTag);
}

LRESULT InnerPanelWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETCURSOR:
      // Panes ask their parent first; a pane with a link shows the hand like painted objects.
      if (reinterpret_cast<HWND>(wp) != hwnd()) {
        if (SetPaneCursor(reinterpret_cast<HWND>(wp))) return TRUE;
      } else if (LOWORD(lp) == HTCLIENT && SetPanelCursor()) {
        return TRUE;
      }
      break;
    case WM_TIMER:
      if (wp != kLeaveWatch) break;
      WatchLeave();
      return 0;
    case WM_PAINT:
      // Before its first paint nothing of the panel is on screen to flicker: that paint draws
      // straight into the window, without a buffer of the panel's size and a second copy.
      if (painted_) break;
      painted_ = true;
      HandleDirectPaintMessage(hwnd(), msg, wp, [this](HDC dc, const RECT& rc) { Paint(dc, rc); });
      return 0;
    default:
      if (Mouse(msg, lp)) return 0;
      break;
  }
  return PaintedPanel::OnMessage(msg, wp, lp);
}

}  // namespace corvela::win
