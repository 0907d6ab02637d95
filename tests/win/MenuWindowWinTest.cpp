// The menu window against real Win32: frames, margins and bevels, the colour key, panes and the
// player's start sequence, checked through window styles and pixels read back.
#include <gtest/gtest.h>
#include <richedit.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Graphics.h"
#include "platform/win/Win32Services.h"
#include "player/win/AutoRunForm.h"
#include "project/ProjectFile.h"
#include "project/Resources.h"
#include "support/FakePlatform.h"
#include "support/win/GdiObjects.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::TempFolder;
using win::AutoRunForm;

// WM_QUIT seen while pumping.
bool g_quitSeen = false;

void PumpFor(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) g_quitSeen = true;
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  } while (::GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    PumpFor(10);
  }
  return true;
}

// Answers every message box of this process from a second thread, so that a regression that
// shows one fails the test instead of hanging it.
class BoxAnswerer {
 public:
  BoxAnswerer()
      : thread_([this] {
          while (!stop_) {
            ::EnumWindows(
                [](HWND hwnd, LPARAM lp) -> BOOL {
                  auto* self = reinterpret_cast<BoxAnswerer*>(lp);
                  DWORD pid = 0;
                  ::GetWindowThreadProcessId(hwnd, &pid);
                  if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) &&
                      testing::ClassName(hwnd) == "#32770" && self->answered_.insert(hwnd).second) {
                    std::lock_guard<std::mutex> lock(self->mutex_);
                    self->texts_.push_back(testing::MessageBoxText(hwnd));
                    ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
                  }
                  return TRUE;
                },
                reinterpret_cast<LPARAM>(this));
            ::Sleep(50);
          }
        }) {}
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::string> Texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::set<HWND> answered_;
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;
};

COLORREF ScreenPixel(int x, int y) {
  win::WindowDc screen(nullptr);
  return ::GetPixel(screen.get(), x, y);
}

// What a window paints into a DC through WM_PRINTCLIENT, as COLORREFs.
struct Capture {
  int Width = 0;
  int Height = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

Capture PrintClient(HWND hwnd) {
  RECT rc;
  ::GetClientRect(hwnd, &rc);
  Capture c;
  c.Width = rc.right;
  c.Height = rc.bottom;
  win::WindowDc screen(nullptr);
  win::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), c.Width, c.Height));
  {
    win::SelectScope select(dc.get(), bitmap.get());
    ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = c.Width;
  bi.bmiHeader.biHeight = -c.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> bits(static_cast<size_t>(c.Width) * c.Height);
  ::GetDIBits(dc.get(), bitmap.get(), 0, c.Height, bits.data(), &bi, DIB_RGB_COLORS);
  for (uint32_t p : bits) c.Pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  return c;
}

RECT RectIn(HWND child, HWND parent) {
  RECT rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

std::string Le32(uint32_t v) {
  return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
}
std::string Chunk(const char* id, const std::string& data) {
  return std::string(id, 4) + Le32(static_cast<uint32_t>(data.size())) + data + (data.size() % 2 ? "\0" : "");
}
std::string List(const char* type, const std::string& data) {
  return "LIST" + Le32(static_cast<uint32_t>(data.size() + 4)) + std::string(type, 4) + data;
}

// An uncompressed 24-bit clip whose frames are each one solid colour.
std::string SolidAvi(int w, int h, const std::vector<COLORREF>& frames, uint32_t fps) {
  const uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
  const uint32_t size = stride * static_cast<uint32_t>(h);
  const auto n = static_cast<uint32_t>(frames.size());
  std::string avih;
  for (uint32_t v : {1000000u / fps, size * fps, 0u, 0x10u, n, 0u, 1u, size, uint32_t(w), uint32_t(h), 0u, 0u, 0u, 0u})
    avih += Le32(v);
  std::string strh = "vidsDIB ";
  for (uint32_t v : {0u, 0u, 0u, 1u, fps, 0u, n, size, 0xFFFFFFFFu, 0u, 0u, uint32_t(w) | uint32_t(h) << 16})
    strh += Le32(v);
  std::string strf;
  for (uint32_t v : {40u, uint32_t(w), uint32_t(h), 1u | 24u << 16, 0u, size, 0u, 0u, 0u, 0u}) strf += Le32(v);
  std::string movi, index;
  for (COLORREF c : frames) {
    std::string row;
    for (int x = 0; x < w; ++x) row += std::string{char(GetBValue(c)), char(GetGValue(c)), char(GetRValue(c))};
    row.resize(stride, '\0');
    std::string data;
    for (int y = 0; y < h; ++y) data += row;
    index += "00db" + Le32(0x10) + Le32(static_cast<uint32_t>(4 + movi.size())) + Le32(size);
    movi += Chunk("00db", data);
  }
  std::string body = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf))) +
                     List("movi", movi) + Chunk("idx1", index);
  return "RIFF" + Le32(static_cast<uint32_t>(body.size() + 4)) + "AVI " + body;
}

class MenuWindow : public ::testing::Test {
 protected:
  MenuWindow() {
    env.Files = &files;
    env.Ui = &ui;
    env.Display = &screen;
    env.Ticks = &clock;
    env.Graphics = &graphics;
  }

  void SetUp() override {
    // A plain BackColor background, so pixels are known without the gradient.
    state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
    state.CDFolder = folder.Path();
    ASSERT_TRUE(form.Create());
    state.View = &form;
  }

  void TearDown() override {
    // WM_DESTROY of a player window ends the message loop: none here.
    state.DesignerMode = true;
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  }

  // Applies the window settings and shows the window without a frame at x, y.
  void ShowAt(int x, int y, int w, int h) {
    FormSettings& f = state.Project.Form;
    f.Left = x;
    f.Top = y;
    f.Width = w;
    f.Height = h;
    form.FormSettingsChanged();
    ::ShowWindow(form.hwnd(), SW_SHOWNA);
    ::SetWindowPos(form.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::RedrawWindow(form.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(150);
  }

  MenuObject& Add(ObjectKind kind, int left, int top, int width, int height) {
    auto obj = std::make_unique<MenuObject>(kind);
    ControlBase& b = obj->Base();
    b.Left = left;
    b.Top = top;
    b.Width = width;
    b.Height = height;
    state.Project.Objects.push_back(std::move(obj));
    RenumberTags(state);
    return *state.Project.Objects.back();
  }

  HWND PaneOf(MenuObject& obj) {
    auto* pane = dynamic_cast<win::Pane*>(obj.Pane.get());
    return pane ? pane->Handle() : nullptr;
  }

  BoxAnswerer boxes;
  TempFolder folder;
  win::Win32FileSystem files;
  testing::FakeUi ui;
  win::Win32Screen screen;
  testing::FakeClock clock;
  win::Win32GraphicLoader graphics;
  Platform env;
  AppState state{env};
  AutoRunForm form{state};
};

TEST_F(MenuWindow, StartsWithoutAreaAndOnlyLaterSizeChangesMarkTheProjectModified) {
  RECT rc;
  ::GetWindowRect(form.hwnd(), &rc);
  EXPECT_EQ(rc.right - rc.left, 0);
  EXPECT_EQ(rc.bottom - rc.top, 0);
  EXPECT_FALSE(state.Modified);

  ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(state.Modified);
  // Both panels follow the new size.
  ::GetClientRect(form.InnerPanel(), &rc);
  EXPECT_EQ(rc.right, 320);
  EXPECT_EQ(rc.bottom, 240);
}

struct FrameCase {
  uint8_t Style;
  DWORD MustHave;
  DWORD MustNotHave;
  DWORD ExMustHave;
};

TEST_F(MenuWindow, EachBorderStyleGivesItsFrameAndTheWindowKeepsItsSize) {
  // In sequence on one window, so that every change away from a frame is checked too.
  const FrameCase cases[] = {
      {2, WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_SYSMENU, WS_POPUP, 0},
      {0, WS_POPUP, WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX, 0},
      {1, WS_CAPTION | WS_MINIMIZEBOX, WS_THICKFRAME | WS_POPUP, 0},
      {3, WS_CAPTION | WS_POPUP, WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_DLGMODALFRAME},
      {4, WS_CAPTION, WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_TOOLWINDOW},
      {5, WS_CAPTION | WS_THICKFRAME, WS_MINIMIZEBOX, WS_EX_TOOLWINDOW},
      {0, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0},
  };
  state.Project.Form.BorderIcons = biSystemMenu | biMinimize;
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(int(c.Style));
    state.Project.Form.BorderStyle = c.Style;
    ShowAt(100, 80, 300, 200);
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(form.hwnd(), GWL_STYLE));
    const DWORD ex = static_cast<DWORD>(::GetWindowLongPtrA(form.hwnd(), GWL_EXSTYLE));
    EXPECT_EQ(style & c.MustHave, c.MustHave);
    EXPECT_EQ(style & c.MustNotHave, 0u);
    EXPECT_EQ(ex & c.ExMustHave, c.ExMustHave);
    EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME) & ~c.ExMustHave, 0u);

    RECT window, client, frame{0, 0, 0, 0};
    ::GetWindowRect(form.hwnd(), &window);
    ::GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(window.right - window.left, 300);
    EXPECT_EQ(window.bottom - window.top, 200);
    // The client area is what the frame leaves, and the inner panel fills it.
    ::AdjustWindowRectEx(&frame, style, FALSE, ex);
    EXPECT_EQ(client.right, 300 - (frame.right - frame.left));
    EXPECT_EQ(client.bottom, 200 - (frame.bottom - frame.top));
    if (c.Style == 0) {
      EXPECT_EQ(client.bottom, 200);
    }
    RECT inner;
    ::GetClientRect(form.InnerPanel(), &inner);
    EXPECT_EQ(inner.right, client.right);
    EXPECT_EQ(inner.bottom, client.bottom);
  }
}

TEST_F(MenuWindow, WindowStateTakesEffectOnceShownAndCloseMenuEndsOnlyAPlayer) {
  state.Project.Form.BorderStyle = static_cast<uint8_t>(FormBorderStyle::Sizeable);
  state.Project.Form.BorderIcons = biSystemMenu | biMaximize;
  state.Project.Form.WindowState = static_cast<uint8_t>(WindowState::Maximized);
  // As in the player, which shows its window before the project arrives.
  ::ShowWindow(form.hwnd(), SW_SHOWNOACTIVATE);
  ShowAt(100, 80, 300, 200);
  EXPECT_TRUE(::IsZoomed(form.hwnd()));
  state.Project.Form.WindowState = static_cast<uint8_t>(WindowState::Normal);
  ShowAt(100, 80, 300, 200);
  EXPECT_FALSE(::IsZoomed(form.hwnd()));
  RECT rc;
  ::GetWindowRect(form.hwnd(), &rc);
  EXPECT_EQ(rc.right - rc.left, 300);

  // The designer's menu window must survive an "Exit AutoRun" link.
  form.CloseMenu();
  PumpFor(50);
  EXPECT_TRUE(::IsWindow(form.hwnd()));
  g_quitSeen = false;
  state.DesignerMode = false;
  form.CloseMenu();
  EXPECT_TRUE(PumpUntil([&] { return form.hwnd() == nullptr; }, 2000));
  PumpFor(20);
  EXPECT_TRUE(g_quitSeen);
}

TEST_F(MenuWindow, MarginSingleBorderAndBevelsNestAroundTheInnerPanel) {
  state.Project.Form.BorderWidth = 6;
  PanelSettings& p = state.Project.Panel;
  p.BorderStyle = 1;
  p.BevelOuter = static_cast<uint8_t>(BevelCut::Raised);
  p.BevelInner = static_cast<uint8_t>(BevelCut::Lowered);
  p.BevelWidth = 3;
  p.BorderWidth = 2;
  state.Project.BackColor = RGB(0, 0, 255);
  ShowAt(100, 80, 300, 200);

  const RECT panel = RectIn(form.OuterPanel(), form.hwnd());
  EXPECT_EQ(panel.left, 6);
  EXPECT_EQ(panel.top, 6);
  EXPECT_EQ(panel.right, 294);
  EXPECT_EQ(panel.bottom, 194);
  const RECT inner = RectIn(form.InnerPanel(), form.OuterPanel());
  EXPECT_EQ(inner.left, 10);
  EXPECT_EQ(inner.top, 10);
  EXPECT_EQ(inner.right, 278);
  EXPECT_EQ(inner.bottom, 178);

  const COLORREF face = ::GetSysColor(COLOR_BTNFACE), shadow = ::GetSysColor(COLOR_BTNSHADOW),
                 light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_3DDKSHADOW),
                 light3d = ::GetSysColor(COLOR_3DLIGHT);
  const Capture window = PrintClient(form.hwnd());
  EXPECT_EQ(window.At(3, 100), face);
  EXPECT_EQ(window.At(150, 3), face);

  // Across the left and right edges of the outer panel, outermost first.
  const Capture c = PrintClient(form.OuterPanel());
  const COLORREF left[] = {shadow, dark, light, light, light, face, face, shadow, shadow, shadow};
  const COLORREF right[] = {light, light3d, shadow, shadow, shadow, face, face, light, light, light};
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(c.At(i, 90), left[i]);
    EXPECT_EQ(c.At(287 - i, 90), right[i]);
    EXPECT_EQ(c.At(140, i), left[i]);  // the top edge wears the left edge's colours
  }
  // On screen the inner panel shows through in its colour.
  RECT onScreen;
  ::GetWindowRect(form.InnerPanel(), &onScreen);
  EXPECT_EQ(ScreenPixel(onScreen.left + 5, onScreen.top + 5), RGB(0, 0, 255));

  // Taking the settings away gives the inner panel the whole client area again.
  state.Project.Form.BorderWidth = 0;
  state.Project.Panel = PanelSettings{};
  form.FormSettingsChanged();
  EXPECT_EQ(RectIn(form.InnerPanel(), form.hwnd()).left, 0);
  EXPECT_EQ(RectIn(form.InnerPanel(), form.hwnd()).right, 300);
}

TEST_F(MenuWindow, TheColourKeyLetsWhatIsBehindShowThroughUntilItIsSwitchedOff) {
  // A white window behind the menu.
  win::UniqueWindow behind(::CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 60,
                                             60, 300, 250, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(behind);
  PumpFor(100);
  const COLORREF key = RGB(255, 0, 255);
  state.Project.BackColor = key;
  state.Project.Form.TransparentColor = true;
  state.Project.Form.TransparentColorValue = key;
  // A movie pane keeps its own colour: only the key colour is see-through.
  Add(ObjectKind::Movie, 100, 20, 60, 60);
  ApplyAllObjectResources(state);
  ShowAt(100, 100, 200, 150);
  EXPECT_TRUE(::GetWindowLongPtrA(form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  const COLORREF behindColour = ScreenPixel(70, 70);
  EXPECT_NE(behindColour, key);
  EXPECT_EQ(ScreenPixel(140, 140), behindColour);
  EXPECT_EQ(ScreenPixel(230, 150), ::GetSysColor(COLOR_BTNFACE));

  state.Project.Form.TransparentColor = false;
  ShowAt(100, 100, 200, 150);
  EXPECT_FALSE(::GetWindowLongPtrA(form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(ScreenPixel(140, 140), key);
}

TEST_F(MenuWindow, AnAviPanePlaysItsClipInALoop) {
  const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
  ASSERT_TRUE(testing::WriteBytes(folder / "clip.avi", SolidAvi(40, 30, {red, green, blue}, 10)));
  MenuObject& avi = Add(ObjectKind::Avi, 10, 10, 40, 30);
  avi.FileName = "\\clip.avi";
  ShowAt(100, 100, 200, 150);
  ApplyAllObjectResources(state);
  HWND pane = PaneOf(avi);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(testing::ClassName(pane), "SysAnimate32");
  EXPECT_EQ(::GetParent(pane), form.InnerPanel());

  std::set<COLORREF> seen;
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 1500 && seen.size() < 3) {
    PumpFor(30);
    const COLORREF c = ScreenPixel(100 + 30, 100 + 25);
    if (c == red || c == green || c == blue) seen.insert(c);
  }
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_TRUE(ui.Shown.empty());
}

TEST_F(MenuWindow, AnRtfPaneShowsTheDocumentReadOnlyAndInANormalFont) {
  ASSERT_TRUE(testing::WriteBytes(folder / "doc.rtf",
                                  "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs28 Hello \\b bold\\b0  world\\par}"));
  MenuObject& rtf = Add(ObjectKind::Rtf, 10, 10, 180, 100);
  rtf.FileName = "\\doc.rtf";
  ShowAt(100, 100, 200, 150);
  ApplyAllObjectResources(state);
  HWND pane = PaneOf(rtf);
  ASSERT_NE(pane, nullptr);
  char text[64] = {};
  ::GetWindowTextA(pane, text, sizeof text);
  EXPECT_EQ(std::string(text).substr(0, 16), "Hello bold world");

  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(pane, GWL_STYLE));
  EXPECT_TRUE(style & ES_READONLY);
  EXPECT_FALSE(style & WS_TABSTOP);

  // Only the middle word is bold: the control's own default font would make all of it bold.
  auto boldAt = [&](int pos) {
    ::SendMessageA(pane, EM_SETSEL, pos, pos + 1);
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_BOLD;
    ::SendMessageA(pane, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return (cf.dwEffects & CFE_BOLD) != 0;
  };
  EXPECT_FALSE(boldAt(0));
  EXPECT_TRUE(boldAt(7));
  EXPECT_FALSE(boldAt(12));

  PumpFor(100);
  int dark = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 150; ++x)
      if (GetGValue(ScreenPixel(100 + 14 + x, 100 + 14 + y)) < 100) ++dark;
  EXPECT_GT(dark, 40) << "no text on screen";

  // A missing document leaves the text as it was and is reported once.
  rtf.FileName = "\\gone.rtf";
  ApplyObjectResources(state, rtf);
  ::GetWindowTextA(pane, text, sizeof text);
  EXPECT_EQ(std::string(text).substr(0, 5), "Hello");
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"File \"" + (folder / "gone.rtf") + "\" not found"});
}

TEST_F(MenuWindow, PanesLieAbovePaintedObjectsInListOrderAndGoWithTheirObjects) {
  MenuObject& movie = Add(ObjectKind::Movie, 20, 20, 80, 60);
  MenuObject& rtf = Add(ObjectKind::Rtf, 60, 40, 80, 60);
  // An opaque label over everything, last in the list.
  MenuObject& label = Add(ObjectKind::Label, 0, 0, 200, 150);
  label.AsLabel()->AutoSize = false;
  label.AsLabel()->Transparent = false;
  label.AsLabel()->Color = RGB(255, 0, 0);
  ApplyAllObjectResources(state);
  ShowAt(100, 100, 200, 150);

  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ScreenPixel(100 + 5, 100 + 5), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(100 + 40, 100 + 30), face);
  // Where the two panes overlap, the later one is on top: the rich edit is white.
  EXPECT_EQ(ScreenPixel(100 + 80, 100 + 60), ::GetSysColor(COLOR_WINDOW));

  // Bring the movie to the front of the list.
  auto& objects = state.Project.Objects;
  std::rotate(objects.begin(), objects.begin() + 1, objects.end());
  RenumberTags(state);
  ApplyAllObjectResources(state);
  PumpFor(150);
  EXPECT_EQ(ScreenPixel(100 + 80, 100 + 60), face);

  HWND movieWindow = PaneOf(movie);
  HWND rtfWindow = PaneOf(rtf);
  ASSERT_TRUE(::IsWindow(movieWindow) && ::IsWindow(rtfWindow));
  RemoveObject(state, &movie);
  EXPECT_FALSE(::IsWindow(movieWindow));
  ClearObjects(state);
  EXPECT_FALSE(::IsWindow(rtfWindow));
  EXPECT_EQ(::GetWindow(form.InnerPanel(), GW_CHILD), nullptr);
}

TEST_F(MenuWindow, AnHtmlPaneHostsTheBrowserAndNavigatingDoesNotWait) {
  MenuObject& html = Add(ObjectKind::Html, 10, 10, 160, 120);
  html.FileName = "\\page.html";
  ASSERT_TRUE(testing::WriteBytes(folder / "page.html", "<html><body>Hi</body></html>"));
  ShowAt(100, 100, 200, 150);
  // The designer creates the pane but never navigates.
  ApplyAllObjectResources(state);
  auto* pane = dynamic_cast<win::HtmlPane*>(html.Pane.get());
  ASSERT_NE(pane, nullptr);
  EXPECT_TRUE(pane->HasBrowser());
  EXPECT_NE(::FindWindowExA(pane->Handle(), nullptr, "Shell Embedding", nullptr), nullptr);

  state.DesignerMode = false;
  const DWORD start = ::GetTickCount();
  ApplyObjectResources(state, html);
  EXPECT_LT(::GetTickCount() - start, 2000u);
  PumpFor(300);
  RemoveObject(state, &html);
}

TEST_F(MenuWindow, GdiObjectsStayFlatOverRepeatedApplyAndClearCycles) {
  if (!testing::GdiObjectsAreCounted()) GTEST_SKIP() << "no way to count GDI objects here";
  ASSERT_TRUE(testing::WriteBytes(folder / "clip.avi", SolidAvi(16, 16, {RGB(1, 2, 3), RGB(4, 5, 6)}, 10)));
  ASSERT_TRUE(testing::WriteBytes(folder / "doc.rtf", "{\\rtf1 text\\par}"));
  auto cycle = [&] {
    Add(ObjectKind::Avi, 0, 0, 16, 16).FileName = "\\clip.avi";
    Add(ObjectKind::Rtf, 20, 0, 60, 40).FileName = "\\doc.rtf";
    Add(ObjectKind::Movie, 0, 50, 40, 40);
    Add(ObjectKind::Label, 50, 50, 40, 20).AsLabel()->Caption = "x";
    ApplyAllObjectResources(state);
    state.Project.Form.TransparentColor = !state.Project.Form.TransparentColor;
    state.Project.Panel.BevelOuter = state.Project.Panel.BevelOuter ? 0 : 2;
    ShowAt(100, 100, 200, 150);
    PrintClient(form.OuterPanel());
    ClearObjects(state);
    PumpFor(50);
  };
  cycle();
  cycle();
  const auto before = testing::GdiObjects();
  for (int i = 0; i < 6; ++i) cycle();
  EXPECT_EQ(testing::GdiObjects(), before);
}

// ---------------------------------------------------------------- the player's start

class PlayerStart : public MenuWindow {
 protected:
  void SetUp() override {
    state.DesignerMode = false;
    state.CDFolder = folder.Path();
    state.ProjectFileName = folder / "AutoRun.mnx";
  }
  // Writes a project made by fill into the CD folder.
  void WriteProject(const std::function<void(AppState&)>& fill) {
    testing::FakeUi quiet;
    Platform writerEnv = env;
    writerEnv.Ui = &quiet;
    AppState writer(writerEnv);
    fill(writer);
    ASSERT_TRUE(SaveProjectFile(writer, state.ProjectFileName));
    ASSERT_TRUE(quiet.Shown.empty());
  }
  // Creates the window the way start-up does and lets its timer run.
  void Start() {
    ASSERT_TRUE(form.Create());
    state.View = &form;
    ::ShowWindow(form.hwnd(), SW_SHOW);
    PumpFor(300);
  }
};

TEST_F(PlayerStart, WithoutAProjectItShowsOneErrorAndEnds) {
  g_quitSeen = false;
  Start();
  EXPECT_TRUE(PumpUntil([&] { return form.hwnd() == nullptr; }, 3000));
  PumpFor(20);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"File \"" + state.ProjectFileName + "\" not found"});
  EXPECT_TRUE(g_quitSeen) << "the message loop was not told to end";
}

// Records every size the window is given while it is visible.
std::vector<SIZE>* g_sizes = nullptr;
HWND g_watched = nullptr;
LRESULT CALLBACK RecordSizes(int code, WPARAM wp, LPARAM lp) {
  const auto* msg = reinterpret_cast<const CWPRETSTRUCT*>(lp);
  if (code == HC_ACTION && g_sizes && msg->hwnd == g_watched && msg->message == WM_WINDOWPOSCHANGED &&
      ::IsWindowVisible(msg->hwnd)) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(msg->lParam);
    if (!(pos->flags & SWP_NOSIZE)) g_sizes->push_back({pos->cx, pos->cy});
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(PlayerStart, AMissingFileIsReportedOnceAndTheWindowAppearsCentredAtItsSizeAtOnce) {
  WriteProject([](AppState& s) {
    s.Project.Form.Width = 320;
    s.Project.Form.Height = 200;
    s.Project.Form.BorderStyle = 1;
    s.Project.Form.Caption = "Demo";
    auto obj = std::make_unique<MenuObject>(ObjectKind::Rtf);
    obj->FileName = "\\missing.rtf";
    s.Project.Objects.push_back(std::move(obj));
  });
  std::vector<SIZE> sizes;
  g_sizes = &sizes;
  ASSERT_TRUE(form.Create());
  g_watched = form.hwnd();
  HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &RecordSizes, nullptr, ::GetCurrentThreadId());
  state.View = &form;
  ::ShowWindow(form.hwnd(), SW_SHOW);
  PumpFor(400);
  ::UnhookWindowsHookEx(hook);
  g_sizes = nullptr;

  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"File \"" + (folder / "missing.rtf") + "\" not found"});
  ASSERT_TRUE(::IsWindow(form.hwnd()));
  RECT rc;
  ::GetWindowRect(form.hwnd(), &rc);
  EXPECT_EQ(rc.right - rc.left, 320);
  EXPECT_EQ(rc.bottom - rc.top, 200);
  EXPECT_EQ(rc.left, (::GetSystemMetrics(SM_CXSCREEN) - 320) / 2);
  EXPECT_EQ(rc.top, (::GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
  EXPECT_EQ(testing::WindowText(form.hwnd()), "Demo");
  EXPECT_FALSE(state.Modified);
  EXPECT_FALSE(state.ReportMissingOnce);
  for (const SIZE& s : sizes) {
    const bool none = s.cx == 0 && s.cy == 0;
    const bool project = s.cx == 320 && s.cy == 200;
    EXPECT_TRUE(none || project) << "shown at " << s.cx << " x " << s.cy;
  }
}

TEST_F(PlayerStart, TheApplicationTakesTheWindowsCaptionAndIcon) {
  WriteProject([](AppState& s) {
    s.Project.Form.Width = 200;
    s.Project.Form.Height = 100;
    s.Project.Form.Caption = "My Disc";
  });
  // An icon beside the project becomes the window's icon when FormIcon is empty.
  ASSERT_TRUE(::CopyFileA((testing::ExeFolder() + "\\Default.ico").c_str(), (folder / "AutoRun.ico").c_str(), FALSE));
  win::Win32Ui realUi;
  env.Ui = &realUi;
  Start();
  EXPECT_EQ(realUi.Title, "My Disc");
  EXPECT_NE(::SendMessageA(form.hwnd(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(::SendMessageA(form.hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
}

}  // namespace
}  // namespace corvela
