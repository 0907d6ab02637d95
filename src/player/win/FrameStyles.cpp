#include "player/win/FrameStyles.h"

#include "platform/win/Win32Colours.h"

namespace corvela::win {

namespace {
constexpr DWORD kFrameStyleMask = WS_POPUP | WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_SYSMENU |
                                  WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kFrameExStyleMask =
    WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW | WS_EX_CONTEXTHELP | WS_EX_WINDOWEDGE;
}  // namespace

FrameStyleBits StylesFor(const WindowFrame& frame) {
  FrameStyleBits bits;
  if (frame.Popup) bits.Style |= WS_POPUP;
  if (frame.Caption) bits.Style |= WS_CAPTION;
  if (frame.ThickFrame) bits.Style |= WS_THICKFRAME;
  if (frame.DialogFrame) bits.ExStyle |= WS_EX_DLGMODALFRAME;
  if (frame.ToolWindow) bits.ExStyle |= WS_EX_TOOLWINDOW;
  if (frame.SystemMenu) bits.Style |= WS_SYSMENU;
  if (frame.MinimizeBox) bits.Style |= WS_MINIMIZEBOX;
  if (frame.MaximizeBox) bits.Style |= WS_MAXIMIZEBOX;
  if (frame.ContextHelp) bits.ExStyle |= WS_EX_CONTEXTHELP;
  return bits;
}

void ApplyFrameStyles(HWND hwnd, const FrameStyleBits& bits) {
  const DWORD oldStyle = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE));
  const DWORD oldEx = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  const DWORD style = (oldStyle & ~kFrameStyleMask) | bits.Style;
  const DWORD ex = (oldEx & ~kFrameExStyleMask) | bits.ExStyle;
  // A frame change is a round trip to the window system; the same frame needs none.
  if (style == oldStyle && ex == oldEx) return;
  ::SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(style));
  ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(ex));
  ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ApplyColourKey(HWND hwnd, const FormSettings& form) {
  Win32SystemColours current;
  const ColourKey key = ColourKeyFor(form, &current);
  const DWORD ex = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  if (key.On) {
    ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(ex | WS_EX_LAYERED));
    ::SetLayeredWindowAttributes(hwnd, static_cast<COLORREF>(key.Rgb), 0, LWA_COLORKEY);
  } else if (ex & WS_EX_LAYERED) {
    ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(ex & ~WS_EX_LAYERED));
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
  }
}

}  // namespace corvela::win
