#include "platform/win/Window.h"

#include <exception>
#include <set>
#include <string>

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
  if (!hwnd || ::GetClassLongPtrA(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Window::Procedure))
    return nullptr;
  return reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool Window::Create(const WindowClassArgs& cls, const WindowArgs& args) {
  static std::set<std::string> registered;
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  if (!registered.count(cls.Name)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = cls.Style;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = instance;
    wc.hCursor = cls.Cursor ? cls.Cursor : ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = cls.Background;
    wc.hIcon = cls.Icon;
    wc.hIconSm = cls.SmallIcon;
    wc.lpszClassName = cls.Name;
    if (!::RegisterClassExA(&wc)) return false;
    registered.insert(cls.Name);
  }
  HWND hwnd = ::CreateWindowExA(args.ExStyle, cls.Name, args.Title.c_str(), args.Style, args.X, args.Y, args.Width,
                                args.Height, args.Parent, args.MenuOrId, instance, this);
  return hwnd != nullptr;
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    self = static_cast<Window*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    // Procedure is this window's class procedure, so the user data is ours.
    self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT result = 0;
  try {
    result = self->OnMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    ReportUnhandledError(e.what());
  } catch (...) {
    ReportUnhandledError("Unexpected error");
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

void ReportUnhandledError(const char* what) {
  ::MessageBoxA(::GetActiveWindow(), what, "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace corvela::win
