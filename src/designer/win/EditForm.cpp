#include "designer/win/EditForm.h"

#include <windowsx.h>

#include "designer/Commands.h"
#include "designer/SurfaceFrame.h"
#include "designer/win/Clipboard.h"
#include "designer/win/CommandMenus.h"
#include "dialogs/FormPropertiesRules.h"
#include "platform/win/PaintMessage.h"
#include "player/win/AutoRunForm.h"
#include "player/win/FrameStyles.h"
#include "player/win/ObjectPainter.h"

namespace corvela::win {

namespace {

LPCWSTR CursorName(CursorShape shape) {
  switch (shape) {
    case CursorShape::SizeAll: return IDC_SIZEALL;
    case CursorShape::SizeNWSE: return IDC_SIZENWSE;
    case CursorShape::SizeNS: return IDC_SIZENS;
    case CursorShape::SizeNESW: return IDC_SIZENESW;
    case CursorShape::SizeWE: return IDC_SIZEWE;
    case CursorShape::Arrow: break;
  }
  return IDC_ARROW;
}

}  // namespace

bool EditForm::Create() {
  WindowClassArgs cls;
  cls.Name = "TEditForm";
  WindowArgs args;
  args.Style = WS_OVERLAPPEDWINDOW & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  args.Style |= WS_CLIPCHILDREN;
  args.Title = state_.Project.Form.Caption + " [Design]";
  args.X = state_.Project.Form.Left;
  args.Y = state_.Project.Form.Top;
  args.Width = 600;
  args.Height = 420;
  return Window::Create(cls, args);
}

MenuPanelLayout EditForm::Layout() const {
  RECT client{0, 0, 0, 0};
  if (hwnd()) ::GetClientRect(hwnd(), &client);
  return LayoutMenuPanels(client.right, client.bottom, state_.Project.Form.BorderWidth, state_.Project.Panel);
}

POINT EditForm::PictureOrigin() const {
  MenuPanelLayout layout = Layout();
  return POINT{layout.Panel.Left + layout.Inner.Left, layout.Panel.Top + layout.Inner.Top};
}

Point EditForm::ToPicture(LPARAM lp) const {
  POINT origin = PictureOrigin();
  return Point{GET_X_LPARAM(lp) - origin.x, GET_Y_LPARAM(lp) - origin.y};
}

Size EditForm::InnerPanelSize() {
  RECT rc{0, 0, 0, 0};
  if (menu_ && menu_->InnerPanel()) ::GetClientRect(menu_->InnerPanel(), &rc);
  return Size{rc.right, rc.bottom};
}

RECT EditForm::BandOnScreen(const Rect& band) const {
  RECT r = ToRECT(band);
  POINT origin = PictureOrigin();
  ::OffsetRect(&r, origin.x, origin.y);
  // Focus rectangles need at least a pixel each way to show.
  if (r.right == r.left) ++r.right;
  if (r.bottom == r.top) ++r.bottom;
  return r;
}

void EditForm::BandChanged(const Rect& previous, const Rect& current) {
  // The band is drawn by the paint, over the picture: a dotted frame drawn straight onto the
  // window would be half erased by a pending repaint and then drawn back by its own erasing.
  for (const Rect* band : {&previous, &current}) {
    if (*band == kNoBand) continue;
    const RECT r = BandOnScreen(*band);
    const RECT edges[] = {{r.left, r.top, r.right, r.top + 1},
                          {r.left, r.bottom - 1, r.right, r.bottom},
                          {r.left, r.top, r.left + 1, r.bottom},
                          {r.right - 1, r.top, r.right, r.bottom}};
    for (const RECT& edge : edges) ::InvalidateRect(hwnd(), &edge, FALSE);
  }
  ::UpdateWindow(hwnd());
}

void EditForm::ControlCreated(MenuObject&) {
  if (state_.View) state_.View->WireObjects();
}

void EditForm::ControlBroughtToFront(MenuObject&) {
  if (state_.View) state_.View->WireObjects();
}

void EditForm::ControlSentToBack(MenuObject&) {
  if (state_.View) state_.View->WireObjects();
}

void EditForm::MirrorFrame() {
  FrameStyleBits bits = StylesFor(SurfaceFrameFor(state_.Project.Form));
  bits.Style |= WS_CLIPCHILDREN;
  ApplyFrameStyles(hwnd(), bits);
  // The same colour key as the menu window.
  ApplyColourKey(hwnd(), state_.Project.Form);
  if (menu_) {
    HICON icon = reinterpret_cast<HICON>(::SendMessageW(menu_->hwnd(), WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(menu_->hwnd(), GCLP_HICON));
    // The menu window owns its icon; ours is a copy so that either can change alone.
    icon_.reset(icon ? ::CopyIcon(icon) : nullptr);
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  }
}

void EditForm::FitToMenuWindow() {
  SuppressResizeSync = true;
  MirrorFrame();
  RECT bounds{0, 0, 0, 0};
  if (menu_) ::GetWindowRect(menu_->hwnd(), &bounds);
  ::SetWindowPos(hwnd(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  SuppressResizeSync = false;
  FormResize();
  surface_.RefreshSurface();
}

void EditForm::FormResize() {
  if (SuppressResizeSync || !hwnd()) return;
  RECT bounds;
  ::GetWindowRect(hwnd(), &bounds);
  FormSettings& f = state_.Project.Form;
  f.Left = bounds.left;
  f.Top = bounds.top;
  f.Width = bounds.right - bounds.left;
  f.Height = bounds.bottom - bounds.top;
  if (menu_) {
    // Both windows wear the same frame, so their inner areas match again.
    ::SetWindowPos(menu_->hwnd(), nullptr, f.Left, f.Top, f.Width, f.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  picture_.Discard();
  surface_.RefreshSurface();
}

void EditForm::ResizedByUser() {
  if (SuppressResizeSync || !hwnd()) return;
  // The model still holds the size from before this change.
  std::optional<ProjectSnapshot> before = SnapshotProject(state_);
  FormResize();
  std::optional<ProjectSnapshot> after = SnapshotProject(state_);
  if (before && after)
    surface_.Steps().RecordProject(EditKind::MenuSize, std::move(*before), std::move(*after), sizing_ ? kMenuSizeBurst : 0);
}

bool EditForm::AbortPress() {
  if (!surface_.PressInProgress()) return false;
  surface_.AbortPress();
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  UpdateReadout(POINT{0, 0});
  return true;
}

Size EditForm::GlyphSize(const MenuObject& obj) {
  if (obj.Bitmap) return SurfaceHost::GlyphSize(obj);
  if (!fallbackGlyph_) fallbackGlyph_ = LoadFallbackGlyph();
  return fallbackGlyph_ ? Size{fallbackGlyph_->Width(), fallbackGlyph_->Height()} : Size{};
}

SIZE EditForm::OuterSizeForInner(Size inner) const {
  const Size client = ClientSizeForInner(inner, state_.Project.Form.BorderWidth, state_.Project.Panel);
  RECT want{0, 0, client.Width, client.Height};
  ::AdjustWindowRectEx(&want, static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
  return SIZE{want.right - want.left, want.bottom - want.top};
}

Size EditForm::MenuClientSize() {
  RECT rc{0, 0, 0, 0};
  if (menu_) ::GetClientRect(menu_->hwnd(), &rc);
  return Size{rc.right, rc.bottom};
}

void EditForm::SetClientSize(Size size) {
  RECT want{0, 0, size.Width, size.Height};
  ::AdjustWindowRectEx(&want, static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
  SuppressResizeSync = true;
  ::SetWindowPos(hwnd(), nullptr, 0, 0, want.right - want.left, want.bottom - want.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SuppressResizeSync = false;
}

// The surface's panel border is painted from the project's panel settings, so taking the menu
// window's border is a repaint.
void EditForm::CopyPanelBorder() { ::InvalidateRect(hwnd(), nullptr, FALSE); }

bool EditForm::ExecuteCommand(unsigned id) {
  // Taken as done: a command during a press would change the list under the drag.
  if (surface_.PressInProgress() && !RunsDuringPress(id)) return IsSurfaceCommand(id);
  if (dialogs_ && surface_.RunDialog(id, *dialogs_, *this)) return true;
  if (id >= cmdAlignLefts && id <= cmdCentreInWindow) {
    surface_.Arrange(static_cast<AlignCommand>(id - cmdAlignLefts));
    return true;
  }
  if (id >= cmdNudgeLeft && id <= cmdNudgeDown) {
    static constexpr ArrowKey kKeys[] = {ArrowKey::Left, ArrowKey::Right, ArrowKey::Up, ArrowKey::Down};
    surface_.Nudge(kKeys[id - cmdNudgeLeft], ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  switch (id) {
    case cmdUndo: surface_.UndoStep(); return true;
    case cmdRedo: surface_.RedoStep(); return true;
    case cmdCopy: CopyToClipboard(); return true;
    case cmdPaste: PasteFromClipboard(std::nullopt); return true;
    case cmdDuplicate: surface_.DuplicateSelection(); return true;
    case cmdSizeToFit: surface_.SizeSelectionToFit(); return true;
    case cmdDelete: surface_.DeleteSelectedObjects(); return true;
    case cmdClear: surface_.ClearAllObjects(); return true;
    case cmdBringToFront: surface_.BringSelectedToFront(); return true;
    case cmdSendToBack: surface_.SendSelectedToBack(); return true;
    case cmdSelectAll: surface_.SelectAllObjects(); return true;
    default: return false;
  }
}

void EditForm::ShowPopupMenu(POINT screen, Point picture) {
  UniqueMenu popup = CreateSurfacePopup();
  const bool selected = !SelectedIndices(state_.Project).empty();
  ::EnableMenuItem(popup.get(), cmdCopy, MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED));
  ::EnableMenuItem(popup.get(), cmdDuplicate, MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED));
  ::EnableMenuItem(popup.get(), cmdPaste, MF_BYCOMMAND | (ClipboardHasObjects() ? MF_ENABLED : MF_GRAYED));
  ::EnableMenuItem(popup.get(), cmdSizeToFit,
                   MF_BYCOMMAND | (surface_.CanSizeSelectionToFit() ? MF_ENABLED : MF_GRAYED));
  UINT chosen = static_cast<UINT>(::TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y,
                                                   0, hwnd(), nullptr));
  // Paste from this menu puts the objects where it was opened.
  if (chosen == cmdPaste) {
    PasteFromClipboard(picture);
    return;
  }
  // The main window carries out what the surface does not do itself.
  if (chosen && !ExecuteCommand(chosen) && commandTarget_) ::SendMessageW(commandTarget_, WM_COMMAND, chosen, 0);
}

void EditForm::CopyToClipboard() {
  const std::optional<std::string> records = WriteClipboardRecords(state_.Project, state_.CDFolder);
  if (records) PutObjectsOnClipboard(hwnd(), *records, ClipboardText(state_.Project));
}

void EditForm::PasteFromClipboard(std::optional<Point> at) {
  // Data that is not ours or is damaged is refused without a word.
  if (const std::optional<std::string> bytes = ObjectsOnClipboard(hwnd())) surface_.PasteRecords(*bytes, at);
}

void EditForm::DoubleClick(Point p) {
  // The press is over before a dialog takes the mouse.
  surface_.MouseUp(false, p);
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  ExecuteCommand(surface_.DoubleClickCommand(p));
}

LRESULT EditForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (HandlePaintMessage(hwnd(), msg, wp, [this](HDC dc, const RECT& rc) { Paint(dc, rc); })) return 0;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      ResizedByUser();
      return 0;
    case WM_GETMINMAXINFO: {
      // The frame stops where Form Properties' size does.
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      const SIZE least = OuterSizeForInner({kMinMenuSide, kMinMenuSide});
      const SIZE most = OuterSizeForInner({kMaxMenuSide, kMaxMenuSide});
      info->ptMinTrackSize = POINT{least.cx, least.cy};
      info->ptMaxTrackSize = POINT{most.cx, most.cy};
      return 0;
    }
    case WM_ENTERSIZEMOVE:
      sizing_ = true;
      return 0;
    case WM_EXITSIZEMOVE:
      sizing_ = false;
      surface_.Steps().EndBurst();
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE && AbortPress()) return 0;
      break;
    // A second press soon after the first arrives as a double click; it is a press all the same.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      MouseButton button = (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)   ? MouseButton::Left
                           : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) ? MouseButton::Right
                                                                                : MouseButton::Middle;
      DesignTool tool = tools_ ? tools_->CurrentTool() : DesignTool::Select;
      PressOutcome outcome = surface_.MouseDown(button, (wp & MK_CONTROL) != 0, ToPicture(lp), tool);
      if (outcome == PressOutcome::Pressed) ::SetCapture(hwnd());
      if (outcome == PressOutcome::ObjectAdded && tools_) tools_->SelectTool();
      // A double click with the Select tool opens the properties of what is under the pointer.
      if (msg == WM_LBUTTONDBLCLK && outcome == PressOutcome::Pressed && (wp & MK_CONTROL) == 0) DoubleClick(ToPicture(lp));
      return 0;
    }
    case WM_MOUSEMOVE: {
      CursorShape shape = surface_.MouseMove(ToPicture(lp));
      ::SetCursor(SystemCursor(CursorName(shape)));
      UpdateReadout(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const bool counts = surface_.MouseUp((wp & MK_CONTROL) != 0, ToPicture(lp));
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      UpdateReadout(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      if (msg == WM_RBUTTONUP && counts) {
        POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ::ClientToScreen(hwnd(), &screen);
        ShowPopupMenu(screen, ToPicture(lp));
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (surface_.PressInProgress() && reinterpret_cast<HWND>(lp) != hwnd()) surface_.CancelPress();
      UpdateReadout(POINT{0, 0});
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        ::SetCursor(SystemCursor(CursorName(surface_.Cursor())));
        return TRUE;
      }
      break;
    case WM_COMMAND:
      if (!ExecuteCommand(LOWORD(wp)) && commandTarget_) ::SendMessageW(commandTarget_, WM_COMMAND, wp, lp);
      return 0;
    case WM_CLOSE:
      // The surface closes only with the designer.
      if (ClosingAllowed) Destroy();
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace corvela::win
