#include "platform/win/Window.h"

#include <exception>
#include <set>
#include <string>

#include "platform/win/WideText.h"

namespace corvela::win {

Window::~Window() { Destroy(); }

void Window::Destroy() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

// The object lives in the window's user data: a window property is a round trip to the window
// system on every message, the user data a read of the window's own memory. Only windows of our
// classes have it.
Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd || ::GetClassLongPtrW(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Window::Procedure))
    return nullptr;
  return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool Window::Create(const WindowClassArgs& cls, const WindowArgs& args) {
  static std::set<std::string> registered;
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  // Wide classes: every window procedure of ours gets its text messages in UTF-16.
  const std::wstring className = Wide(cls.Name);
  if (!registered.count(cls.Name)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = cls.Style;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = instance;
    wc.hCursor = cls.Cursor ? cls.Cursor : SystemCursor(IDC_ARROW);
    wc.hbrBackground = cls.Background;
    wc.hIcon = cls.Icon;
    wc.hIconSm = cls.SmallIcon;
    wc.lpszClassName = className.c_str();
    if (!::RegisterClassExW(&wc)) return false;
    registered.insert(cls.Name);
  }
  HWND hwnd = ::CreateWindowExW(args.ExStyle, className.c_str(), Wide(args.Title).c_str(), args.Style, args.X, args.Y,
                                args.Width, args.Height, args.Parent, args.MenuOrId, instance, this);
  return hwnd != nullptr;
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    self = static_cast<Window*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    // Procedure is this window's class procedure, so the user data is ours.
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  LRESULT result = 0;
  try {
    result = self->OnMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    ReportUnhandledError(e.what());
  } catch (...) {
    ReportUnhandledError("Unexpected error");
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

void ReportUnhandledError(const char* what) {
  ::MessageBoxW(::GetActiveWindow(), Wide(what ? what : "").c_str(), L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace corvela::win
