#include "platform/win/Dpi.h"

#include "platform/win/Handles.h"

namespace corvela::win {

namespace {
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE, and PROCESS_PER_MONITOR_DPI_AWARE.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4));
const HANDLE kPerMonitor = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-3));
constexpr int kProcessPerMonitorAware = 2;

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // The cast goes through a plain function pointer, which is what GetProcAddress returns.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}
}  // namespace

void DeclarePerMonitorDpiAwareness() {
  HMODULE user = ::GetModuleHandleW(L"user32.dll");
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (auto setContext = Lookup<SetContext>(user, "SetProcessDpiAwarenessContext")) {
    if (setContext(kPerMonitorV2) || setContext(kPerMonitor)) return;
  }
  // Windows 8.1 has it in shcore, which the player loads only there.
  if (HMODULE shcore = ::LoadLibraryW(L"shcore.dll")) {
    using SetAwareness = HRESULT(WINAPI*)(int);
    auto setAwareness = Lookup<SetAwareness>(shcore, "SetProcessDpiAwareness");
    const bool done = setAwareness && SUCCEEDED(setAwareness(kProcessPerMonitorAware));
    if (done) return;  // shcore stays loaded: the awareness is the process's from now on
    ::FreeLibrary(shcore);
  }
  using SetAware = BOOL(WINAPI*)();
  if (auto setAware = Lookup<SetAware>(user, "SetProcessDPIAware")) setAware();
}

int WindowDpi(HWND hwnd) {
  using GetForWindow = UINT(WINAPI*)(HWND);
  static const auto getForWindow = Lookup<GetForWindow>(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
  if (getForWindow && hwnd) {
    if (const UINT dpi = getForWindow(hwnd)) return static_cast<int>(dpi);
  }
  WindowDc dc(hwnd);
  const int dpi = dc.get() ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : 96;
}

namespace {
Rect WorkArea(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor && ::GetMonitorInfoW(monitor, &info))
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  RECT work{};
  if (::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return {work.left, work.top, work.right, work.bottom};
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}
}  // namespace

Rect WorkAreaOf(HWND hwnd) {
  return WorkArea(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
}

Rect WorkAreaNear(const RECT& rect) {
  return WorkArea(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
}

}  // namespace corvela::win
