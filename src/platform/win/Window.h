#pragma once
// One base type for every window of the program: owns its HWND, binds the C++ object at
// WM_NCCREATE and dispatches to OnMessage. No exception crosses the window procedure.

#include <windows.h>

#include <string>

namespace corvela::win {

struct WindowClassArgs {
  const char* Name = nullptr;  // UTF-8, as every text this layer takes
  UINT Style = CS_DBLCLKS;
  HCURSOR Cursor = nullptr;  // null: the arrow
  HBRUSH Background = nullptr;  // null: the window paints everything itself
  HICON Icon = nullptr;
  HICON SmallIcon = nullptr;
};

struct WindowArgs {
  DWORD ExStyle = 0;
  DWORD Style = WS_OVERLAPPEDWINDOW;
  std::string Title;  // UTF-8
  int X = CW_USEDEFAULT, Y = CW_USEDEFAULT, Width = CW_USEDEFAULT, Height = CW_USEDEFAULT;
  HWND Parent = nullptr;
  HMENU MenuOrId = nullptr;
};

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  void Destroy();

  // The window object behind an HWND created by this class, or null.
  static Window* FromHandle(HWND hwnd);

 protected:
  // Registers the class once per process and creates the window.
  bool Create(const WindowClassArgs& cls, const WindowArgs& args);
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd_, msg, wp, lp); }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

// Shows an error that escaped an event handler; the run goes on.
void ReportUnhandledError(const char* what);

// One of the system's cursors (IDC_ARROW, IDC_SIZEALL, ...): the program spells their names wide;
// code built without UNICODE (the tests) gets the 8-bit spelling of the same number.
inline HCURSOR SystemCursor(LPCWSTR id) { return ::LoadCursorW(nullptr, id); }
inline HCURSOR SystemCursor(LPCSTR id) {
  return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(id)));
}

}  // namespace corvela::win
