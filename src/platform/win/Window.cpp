#include "platform/win/Window.h"

#include <exception>
#include <set>
#include <string>

namespace corvela::win {

namespace {
constexpr const char* kThisProp = "CorvelaWindow";
}

Window::~Window() { Destroy(); }

void Window::Destroy() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

Window* Window::FromHandle(HWND hwnd) { return static_cast<Window*>(::GetPropA(hwnd, kThisProp)); }

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
    ::SetPropA(hwnd, kThisProp, self);
  } else {
    self = FromHandle(hwnd);
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
    ::RemovePropA(hwnd, kThisProp);
    self->hwnd_ = nullptr;
  }
  return result;
}

void ReportUnhandledError(const char* what) {
  ::MessageBoxA(::GetActiveWindow(), what, "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace corvela::win
