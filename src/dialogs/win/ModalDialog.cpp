#include "dialogs/win/ModalDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <iterator>

#include "platform/win/ResourceIds.h"
#include "dialogs/win/DialogIds.h"
#include "platform/win/WideText.h"
#include "platform/win/Window.h"

namespace corvela::win {

namespace {

bool HasClass(HWND hwnd, const wchar_t* name) {
  wchar_t buffer[64] = {};
  ::GetClassNameW(hwnd, buffer, static_cast<int>(std::size(buffer)));
  return ::lstrcmpiW(buffer, name) == 0;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT r;
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

bool ModalDialog::RunModal() {
  Flags = {};
  HWND owner = Owner ? Owner : ::GetActiveWindow();
  // A wide-character dialog: its controls and their notifications speak UTF-16.
  const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                                           &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  return result == IDOK;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  ModalDialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<ModalDialog*>(lp);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lp);
  } else {
    self = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    ReportUnhandledError(e.what());
  } catch (...) {
    ReportUnhandledError("Unexpected error");
  }
  return msg == WM_INITDIALOG ? TRUE : FALSE;
}

INT_PTR ModalDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      Initialise();
      return TRUE;
    case WM_COMMAND:
      Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return TRUE;
    case WM_NOTIFY:
      if (Notify(*reinterpret_cast<const NMHDR*>(lp))) {
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 1);
        return TRUE;
      }
      return FALSE;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (item.CtlID == IDC_DIALOG_PICTURE) {
        DrawPicture(item);
        return TRUE;
      }
      return OnDrawItem(item) ? TRUE : FALSE;
    }
  }
  return OnOtherMessage(msg, wp, lp) ? TRUE : FALSE;
}

void ModalDialog::Initialise() {
  FitAndPlace();
  // The spin buttons only report a step; the base keeps them mid-range and writes the edit itself.
  for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!HasClass(child, UPDOWN_CLASSW)) continue;
    ::SendMessageW(child, UDM_SETRANGE32, static_cast<WPARAM>(-100), 100);
    ::SendMessageW(child, UDM_SETPOS32, 0, 0);
  }
  OnInit();
  Flags = {};
}

void ModalDialog::FitAndPlace() {
  RECT client;
  ::GetClientRect(hwnd_, &client);
  const Size made{client.right, client.bottom};
  const DialogPlacement placement = Placement();
  std::vector<FixedSizeControl> fixed = FixedSizes();
  fixed.push_back({IDC_DIALOG_PICTURE, {32, 32}});
  for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const RECT r = ChildRect(hwnd_, child);
    int32_t height = r.bottom - r.top;
    if (HasClass(child, L"ComboBox")) {
      // A drop-down list's window height is its height when dropped.
      RECT dropped{};
      ::SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      height = std::max<int32_t>(height, dropped.bottom - dropped.top);
    }
    Rect scaled = ScaleToDesignedClient({r.left, r.top, r.right, r.top + height}, made, placement.Client);
    const int id = ::GetDlgCtrlID(child);
    for (const FixedSizeControl& f : fixed) {
      if (f.Id != id) continue;
      scaled.Right = scaled.Left + f.Size.Width;
      scaled.Bottom = scaled.Top + f.Size.Height;
    }
    ::MoveWindow(child, scaled.Left, scaled.Top, scaled.Width(), scaled.Height(), FALSE);
  }
  RECT window;
  ::GetWindowRect(hwnd_, &window);
  const Size size{placement.Client.Width + (window.right - window.left) - made.Width,
                        placement.Client.Height + (window.bottom - window.top) - made.Height};
  const Point at = placement.Centred
                             ? CentredOnScreen({::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, size)
                             : placement.Position;
  ::SetWindowPos(hwnd_, nullptr, at.X, at.Y, size.Width, size.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::Command(int id, int code, HWND control) {
  if (id == IDOK && code == BN_CLICKED) {
    if (!CanClose()) return;
    OnOK();
    Flags.OkPressed = true;
    ::EndDialog(hwnd_, IDOK);
    return;
  }
  if (id == IDCANCEL && code == BN_CLICKED) {
    if (OnCancel()) ::EndDialog(hwnd_, IDCANCEL);
    return;
  }
  if (code == EN_CHANGE && HasClass(control, L"Edit")) MarkChanged();
  if (code == CBN_SELCHANGE && HasClass(control, L"ComboBox")) MarkChanged();
  if (code == BN_CLICKED && HasClass(control, L"Button") &&
      (::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
    MarkChanged();
  OnCommand(id, code);
}

bool ModalDialog::Notify(const NMHDR& header) {
  if (header.code != UDN_DELTAPOS) return OnNotify(header);
  const auto& step = reinterpret_cast<const NMUPDOWN&>(header);
  HWND buddy = reinterpret_cast<HWND>(::SendMessageW(header.hwndFrom, UDM_GETBUDDY, 0, 0));
  if (!buddy) return false;
  SetWindowTextUtf8(buddy, SpinStep(WindowTextUtf8(buddy), step.iDelta > 0 ? 1 : -1));
  return true;
}

void ModalDialog::DrawPicture(const DRAWITEMSTRUCT& item) {
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
  if (!picture_)
    picture_.reset(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_DIALOG_PICTURE),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!picture_) return;
  BITMAP info{};
  ::GetObjectW(picture_.get(), sizeof info, &info);
  UniqueMemoryDc source(::CreateCompatibleDC(item.hDC));
  SelectScope select(source.get(), picture_.get());
  ::GdiTransparentBlt(item.hDC, item.rcItem.left, item.rcItem.top, info.bmWidth, info.bmHeight, source.get(), 0, 0,
                   info.bmWidth, info.bmHeight, RGB(255, 0, 255));
}

std::string ModalDialog::Text(int id) const {
  return WindowTextUtf8(Item(id));
}

void ModalDialog::SetText(int id, const std::string& text) {
  SetWindowTextUtf8(Item(id), text);
}

void ModalDialog::FillList(int id, const char* const* entries, size_t count, int selected) {
  HWND list = Item(id);
  ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < count; ++i)
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entries[i]).c_str()));
  ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int ModalDialog::ListEntry(int id) const {
  return static_cast<int>(::SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
}

bool ModalDialog::Checked(int id) const {
  return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void ModalDialog::SetChecked(int id, bool checked) {
  ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ModalDialog::Enable(int id, bool enabled) {
  ::EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

void ModalDialog::Redraw(int id) {
  ::InvalidateRect(Item(id), nullptr, TRUE);
}

}  // namespace corvela::win
