#include "player/win/Panes.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "platform/win/PaintMessage.h"
#include "platform/win/WideText.h"
#include "platform/win/Win32FileSystem.h"
#include "platform/win/Window.h"
#include "player/DpiLayout.h"
#include "player/win/AviClip.h"
#include "player/win/HtmlPane.h"
#include "player/win/PlainSurface.h"

namespace corvela::win {

namespace {

int Extent(int32_t value) {
  return std::max<int32_t>(value, 0);
}

HWND CreateChild(const wchar_t* cls, DWORD exStyle, DWORD style, HWND parent, const ControlBase& b) {
  return ::CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, b.Left, b.Top,
                           Extent(b.Width), Extent(b.Height), parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

// The rich edit class that shows RTF lives in msftedit.dll, loaded once for the process.
bool RichEditLoaded() {
  static UniqueModule module(::LoadLibraryW(L"msftedit.dll"));
  return static_cast<bool>(module);
}

// The animation control answers hit tests as transparent, so clicks and hover would reach the
// label, button or image beneath it. A pane hides what it covers: it takes the mouse itself, does
// nothing with it, and tells the panel when the mouse leaves it, which may be out of the window.
LRESULT CALLBACK OpaqueToMouse(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  switch (msg) {
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_MOUSEMOVE: {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, h, 0};
      ::TrackMouseEvent(&track);
      return 0;
    }
    case WM_MOUSELEAVE:
      ::SendMessageW(::GetParent(h), WM_MOUSELEAVE, 0, 0);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(h, &OpaqueToMouse, id);
      break;
  }
  return ::DefSubclassProc(h, msg, wp, lp);
}

// The resolution a control draws its own text at: the one its window's DC reports, which the
// menu's may not be (another monitor's, or a test's).
int DrawingDpi(HWND h) {
  WindowDc dc(h);
  const int dpi = dc.get() ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  DWORD got = 0;
  if (!::ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(size), &got, nullptr)) return 1;
  *read = static_cast<LONG>(got);
  return 0;
}

}  // namespace

void Pane::Place(const ControlBase& b) {
  ::SetWindowPos(Handle(), nullptr, b.Left, b.Top, Extent(b.Width), Extent(b.Height),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// ---------------------------------------------------------------- AVI

// Draws a clip's frames at the menu's scale, smoothly stretched and centred as the animation
// control centres them, on the background that control asks its parent for.
class ClipView : public Window {
 public:
  bool Create(HWND parent, const RECT& at, bool visible) {
    WindowClassArgs cls;
    cls.Name = "TAviClip";
    WindowArgs args;
    args.Style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    args.X = at.left;
    args.Y = at.top;
    args.Width = at.right - at.left;
    args.Height = at.bottom - at.top;
    args.Parent = parent;
    if (!Window::Create(cls, args)) return false;
    ::SetWindowSubclass(hwnd(), &OpaqueToMouse, 0, 0);
    return true;
  }
  void SetScale(const DpiScale& scale) {
    if (scale.Dpi() == scale_.Dpi()) return;
    scale_ = scale;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
  }
  bool Play(const std::string& path) {
    ::KillTimer(hwnd(), kTimer);
    frame_ = 0;
    const bool opened = clip_.Open(path);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    if (opened && clip_.FrameCount() > 1) ::SetTimer(hwnd(), kTimer, clip_.FrameInterval(), nullptr);
    return opened;
  }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;
      case WM_TIMER:
        if (wp != kTimer) break;
        // In a loop, like the control's play from the first frame to the last, for ever.
        frame_ = clip_.FrameCount() > 0 ? (frame_ + 1) % clip_.FrameCount() : 0;
        ::InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
      case WM_DESTROY:
        ::KillTimer(hwnd(), kTimer);
        break;
    }
    if (HandlePaintMessage(hwnd(), msg, wp, [this](HDC dc, const RECT& rc) { Paint(dc, rc); })) return 0;
    return Default(msg, wp, lp);
  }

 private:
  static constexpr UINT_PTR kTimer = 1;

  void Paint(HDC dc, const RECT& rc) {
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
        ::GetParent(hwnd()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
    ::FillRect(dc, &rc, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
    const AviFrame frame = clip_.Frame(frame_);
    if (!frame) return;
    const BITMAPINFOHEADER& h = frame.Info->bmiHeader;
    const int width = h.biWidth, height = std::abs(h.biHeight);
    const int shownWidth = ClipLengthInPane(width, rc.right, scale_);
    const int shownHeight = ClipLengthInPane(height, rc.bottom, scale_);
    ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchDIBits(dc, (rc.right - shownWidth) / 2, (rc.bottom - shownHeight) / 2, shownWidth, shownHeight, 0, 0, width,
                    height, frame.Bits, frame.Info, DIB_RGB_COLORS, SRCCOPY);
  }

  AviClip clip_;
  DpiScale scale_;
  int frame_ = 0;
};

namespace {

// Where a child window lies in its parent, and whether it shows.
RECT PlaceOf(HWND child) {
  RECT rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool Shows(HWND child) {
  return (::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

AviPane::AviPane(HWND parent, const ControlBase& bounds) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_ANIMATE_CLASS};
    return ::InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)registered;
  // The timer keeps playback on the GUI thread, like everything else of the player.
  control_.reset(CreateChild(ANIMATE_CLASSW, 0, ACS_CENTER | ACS_TIMER, parent, bounds));
  if (control_) ::SetWindowSubclass(control_.get(), &OpaqueToMouse, 0, 0);
}

AviPane::~AviPane() = default;

void AviPane::DrawFramesItself() {
  if (ownView_) return;
  ownView_ = true;
  Rescale(DpiScale());
}

HWND AviPane::Handle() const {
  return view_ ? view_->hwnd() : control_.get();
}

bool AviPane::Play(const std::string& path) {
  path_ = path;
  playing_ = view_ ? view_->Play(path_) : PlayInControl();
  return playing_;
}

bool AviPane::PlayInControl() {
  HWND h = control_.get();
  if (!h || path_.empty()) return false;
  bool opened = false;
  for (const std::wstring& name : MultimediaNames(path_))
    if ((opened = ::SendMessageW(h, ACM_OPENW, 0, reinterpret_cast<LPARAM>(name.c_str())) != 0)) break;
  if (!opened) return false;
  return ::SendMessageW(h, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF)) != 0;
}

void AviPane::Rescale(const DpiScale& scale) {
  HWND shown = Handle();
  if (!shown) return;
  // The new window takes the old one's place in the parent's z-order before the old one goes.
  const RECT at = PlaceOf(shown);
  const bool visible = Shows(shown);
  if (scale.Dpi() > kDesignDpi || ownView_) {
    if (!view_) {
      auto view = std::make_unique<ClipView>();
      if (!view->Create(::GetParent(shown), at, visible)) return;
      ::SetWindowPos(view->hwnd(), shown, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      control_.reset();
      view_ = std::move(view);
      if (!path_.empty()) view_->Play(path_);
    }
    view_->SetScale(scale);
    return;
  }
  if (!view_) return;
  ControlBase bounds;
  bounds.Left = at.left;
  bounds.Top = at.top;
  bounds.Width = at.right - at.left;
  bounds.Height = at.bottom - at.top;
  UniqueWindow control(CreateChild(ANIMATE_CLASSW, 0, ACS_CENTER | ACS_TIMER, ::GetParent(shown), bounds));
  if (!control) return;
  if (!visible) ::ShowWindow(control.get(), SW_HIDE);
  ::SetWindowSubclass(control.get(), &OpaqueToMouse, 0, 0);
  ::SetWindowPos(control.get(), shown, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  view_.reset();
  control_ = std::move(control);
  PlayInControl();
}

// ---------------------------------------------------------------- RTF

RtfPane::RtfPane(HWND parent, const ControlBase& bounds) {
  if (!RichEditLoaded()) return;
  window_.reset(CreateChild(MSFTEDIT_CLASS, WS_EX_CLIENTEDGE, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                            parent, bounds));
  // Without a font of its own the control starts in a bold system font, and documents that do
  // not reset their formatting would come out bold.
  if (window_)
    ::SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
}

bool RtfPane::Load(const std::string& path) {
  if (!window_) return false;
  UniqueFile file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(file.get());
  stream.pfnCallback = &ReadChunk;
  ::SendMessageW(window_.get(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  path_ = path;
  ApplyZoom();
  if (themed_) ApplyThemeColours();
  loaded_ = loaded_ || stream.dwError == 0;
  return stream.dwError == 0;
}

void RtfPane::UseThemeColours(bool themed) {
  if (!window_ || themed == themed_) return;
  themed_ = themed;
  if (themed)
    ApplyThemeColours();
  else if (!path_.empty())
    Load(path_);
}

void RtfPane::ApplyThemeColours() {
  // Non-zero: the window's system colour, which follows the theme.
  ::SendMessageW(window_.get(), EM_SETBKGNDCOLOR, TRUE, 0);
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_COLOR | CFM_BACKCOLOR;
  format.dwEffects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
  ::SendMessageW(window_.get(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

void RtfPane::Rescale(const DpiScale& scale) {
  if (!window_) return;
  const int own = DrawingDpi(window_.get());
  const int divisor = std::gcd(scale.Dpi(), own);
  zoomNumerator_ = scale.Dpi() / divisor;
  zoomDenominator_ = own / divisor;
  if (zoomNumerator_ == zoomDenominator_) zoomNumerator_ = zoomDenominator_ = 0;
  ApplyZoom();
}

void RtfPane::ApplyZoom() {
  // A control that draws at the menu's resolution anyway is left as it always was.
  if (!window_ || (zoomNumerator_ == 0 && !zoomed_)) return;
  const bool set = ::SendMessageW(window_.get(), EM_SETZOOM, static_cast<WPARAM>(zoomNumerator_),
                                  static_cast<LPARAM>(zoomDenominator_)) != 0;
  zoomed_ = set && zoomNumerator_ != 0;
}

MoviePane::MoviePane(HWND parent, const ControlBase& bounds)
    : surface_(std::make_unique<PlainSurface>(SurfaceLook::RaisedPanel)) {
  surface_->Create(parent, bounds);
}

MoviePane::~MoviePane() = default;

HWND MoviePane::Handle() const {
  return surface_->hwnd();
}

void MoviePane::Rescale(const DpiScale& scale) {
  surface_->SetBevelWidth(scale.Length(1));
}

// ---------------------------------------------------------------- factory

std::unique_ptr<Pane> CreatePane(ObjectKind kind, HWND parent, const ControlBase& bounds) {
  std::unique_ptr<Pane> pane;
  switch (kind) {
    case ObjectKind::Avi:
      pane = std::make_unique<AviPane>(parent, bounds);
      break;
    case ObjectKind::Html:
      pane = std::make_unique<HtmlPane>(parent, bounds);
      break;
    case ObjectKind::Rtf:
      pane = std::make_unique<RtfPane>(parent, bounds);
      break;
    case ObjectKind::Movie:
      pane = std::make_unique<MoviePane>(parent, bounds);
      break;
    default:
      return nullptr;
  }
  if (!pane->Handle()) return nullptr;
  return pane;
}

}  // namespace corvela::win
