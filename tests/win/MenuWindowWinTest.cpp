// The menu window against real Win32: frames, margins and bevels, the colour key, panes and the
// player's start sequence, checked through window styles and pixels read back.
#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>
#include <set>
#include <string>

#include "support/win/GdiObjects.h"
#include "support/win/MenuWindowFixture.h"
#include "support/win/Pixels.h"
#include "support/win/TestFiles.h"

namespace corvela {
namespace {

using testing::PrintClient;
using testing::ScreenPixel;
using MenuWindow = testing::MenuWindowTest;

// The local path a file: address names ("file://C:\\a" or "file:///C:/a"), or the address as it is.
std::string PathOf(std::string address) {
  if (address.rfind("file:", 0) != 0) return address;
  address.erase(0, address.find_first_not_of('/', 5));
  std::replace(address.begin(), address.end(), '/', '\\');
  return address;
}

RECT RectIn(HWND child, HWND parent) {
  RECT rc;
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

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

TEST_F(MenuWindow, EachBorderStyleGivesItsFrameAndTheWindowKeepsItsSize) {
  // In sequence on one window, so that every change away from a frame is checked too.
  const struct {
    uint8_t Style;
    DWORD MustHave, MustNotHave, ExMustHave;
  } cases[] = {
      {2, WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_SYSMENU, WS_POPUP, 0},
      {0, WS_POPUP, WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX, 0},
      {1, WS_CAPTION | WS_MINIMIZEBOX, WS_THICKFRAME | WS_POPUP, 0},
      {3, WS_CAPTION | WS_POPUP, WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_DLGMODALFRAME},
      // A tool window keeps its taskbar button and Alt+Tab entry only with the app-window style.
      {4, WS_CAPTION, WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_TOOLWINDOW | WS_EX_APPWINDOW},
      {5, WS_CAPTION | WS_THICKFRAME, WS_MINIMIZEBOX, WS_EX_TOOLWINDOW | WS_EX_APPWINDOW},
      {0, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0},
  };
  state.Project.Form.BorderIcons = biSystemMenu | biMinimize;
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.Style));
    state.Project.Form.BorderStyle = c.Style;
    Show();
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(form.hwnd(), GWL_STYLE));
    const DWORD ex = static_cast<DWORD>(::GetWindowLongPtrA(form.hwnd(), GWL_EXSTYLE));
    EXPECT_EQ(style & c.MustHave, c.MustHave);
    EXPECT_EQ(style & c.MustNotHave, 0u);
    EXPECT_EQ(ex & c.ExMustHave, c.ExMustHave);
    EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW) & ~c.ExMustHave, 0u);

    RECT window, client, frame{0, 0, 0, 0}, inner;
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
  Show();
  EXPECT_TRUE(::IsZoomed(form.hwnd()));
  state.Project.Form.WindowState = static_cast<uint8_t>(WindowState::Normal);
  Show();
  EXPECT_FALSE(::IsZoomed(form.hwnd()));
  RECT rc;
  ::GetWindowRect(form.hwnd(), &rc);
  EXPECT_EQ(rc.right - rc.left, 300);

  // The designer's menu window must survive an "Exit AutoRun" link.
  form.CloseMenu();
  pump.For(50);
  EXPECT_TRUE(::IsWindow(form.hwnd()));
  state.DesignerMode = false;
  form.CloseMenu();
  EXPECT_TRUE(pump.Until([&] { return form.hwnd() == nullptr; }, 2000));
  EXPECT_TRUE(pump.Until([&] { return pump.QuitSeen; }, 500)) << "the message loop was not told to end";
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
  Show();

  const RECT panel = RectIn(form.OuterPanel(), form.hwnd());
  EXPECT_EQ(testing::Describe(panel), testing::Describe({6, 6, 294, 194}));
  const RECT inner = RectIn(form.InnerPanel(), form.OuterPanel());
  EXPECT_EQ(testing::Describe(inner), testing::Describe({10, 10, 278, 178}));

  const COLORREF face = ::GetSysColor(COLOR_BTNFACE), shadow = ::GetSysColor(COLOR_BTNSHADOW),
                 light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_3DDKSHADOW),
                 light3d = ::GetSysColor(COLOR_3DLIGHT);
  const testing::Capture window = PrintClient(form.hwnd());
  EXPECT_EQ(window.At(3, 100), face);
  EXPECT_EQ(window.At(150, 3), face);

  // Across the left and right edges of the outer panel, outermost first.
  const testing::Capture c = PrintClient(form.OuterPanel());
  c.Shot("menu-bevels");
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
  EXPECT_EQ(testing::Describe(RectIn(form.InnerPanel(), form.hwnd())), testing::Describe({0, 0, 300, 200}));
}

TEST_F(MenuWindow, TheColourKeyLetsWhatIsBehindShowThroughUntilItIsSwitchedOff) {
  // A white window behind the menu.
  win::UniqueWindow behind(::CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 60,
                                             60, 300, 250, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(behind);
  pump.For(100);
  const COLORREF key = RGB(255, 0, 255);
  state.Project.BackColor = key;
  state.Project.Form.TransparentColor = true;
  state.Project.Form.TransparentColorValue = key;
  // A movie pane keeps its own colour: only the key colour is see-through.
  Add(ObjectKind::Movie, 100, 20, 60, 60);
  Show(200, 150);
  EXPECT_TRUE(::GetWindowLongPtrA(form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  const COLORREF behindColour = ScreenPixel(70, 70);
  EXPECT_NE(behindColour, key);
  EXPECT_EQ(ScreenPixel(140, 140), behindColour);
  EXPECT_EQ(ScreenPixel(230, 150), ::GetSysColor(COLOR_BTNFACE));

  state.Project.Form.TransparentColor = false;
  Show(200, 150);
  EXPECT_FALSE(::GetWindowLongPtrA(form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(ScreenPixel(140, 140), key);
}

TEST_F(MenuWindow, APngWithASoftEdgeBlendsOverTheGradientAsItsAlphaSays) {
  state.Project.BackColor = 0x00FF8000;
  state.Project.GradientColor = 0x000040FF;
  state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::LeftRight);
  Show(200, 120);
  const testing::Capture before = PrintClient(form.InnerPanel());
  // White fading out to the right over 64 columns: alpha 255 at x = 0 down to 3 at x = 63.
  const auto alphaAt = [](int x) { return 255u - static_cast<uint32_t>(x) * 4u; };
  ASSERT_TRUE(testing::WritePng(folder / "soft.png", 64, 16, [&](int x, int) { return (alphaAt(x) << 24) | 0xFFFFFFu; }));
  Add(ObjectKind::Image, 20, 30, 64, 16).FileName = "\\soft.png";
  Show(200, 120);
  const testing::Capture after = PrintClient(form.InnerPanel());
  int wrong = 0;
  for (int y = 30; y < 46; ++y)
    for (int x = 20; x < 84; ++x) {
      const uint32_t a = alphaAt(x - 20);
      const COLORREF under = before.At(x, y), shown = after.At(x, y);
      const auto expect = [&](int channel) { return static_cast<int>((255 * a + channel * (255 - a) + 127) / 255); };
      const int e[3] = {expect(GetRValue(under)), expect(GetGValue(under)), expect(GetBValue(under))};
      const int got[3] = {GetRValue(shown), GetGValue(shown), GetBValue(shown)};
      for (int i = 0; i < 3; ++i)
        if (std::abs(e[i] - got[i]) > 2 && wrong++ < 5)
          ADD_FAILURE() << "at " << x << "," << y << " channel " << i << ": " << got[i] << " for " << e[i];
    }
  EXPECT_EQ(wrong, 0);
  // Outside the picture the gradient is untouched.
  EXPECT_EQ(after.At(19, 35), before.At(19, 35));
  EXPECT_EQ(after.At(84, 35), before.At(84, 35));
}

TEST_F(MenuWindow, AnAviPanePlaysItsClipInALoop) {
  const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
  MenuObject& avi = Add(ObjectKind::Avi, 10, 10, 40, 30);
  // Named in Chinese: the animation control opens it all the same.
  avi.FileName = File("\xE5\x8A\xA8\xE7\x94\xBB.avi", testing::SolidAvi(40, 30, {red, green, blue}, 10));
  Show(200, 150);
  HWND pane = PaneOf(avi);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(testing::ClassName(pane), "SysAnimate32");
  EXPECT_EQ(::GetParent(pane), form.InnerPanel());

  std::set<COLORREF> seen;
  pump.Until(
      [&] {
        const COLORREF c = ScreenPixel(100 + 30, 100 + 25);
        if (c == red || c == green || c == blue) seen.insert(c);
        return seen.size() == 3;
      },
      1500);
  EXPECT_EQ(seen.size(), 3u);
}

TEST_F(MenuWindow, AnRtfPaneShowsTheDocumentReadOnlyAndInANormalFont) {
  MenuObject& rtf = Add(ObjectKind::Rtf, 10, 10, 180, 100);
  // Named in Greek.
  rtf.FileName = File("\xCE\xAD\xCE\xB3\xCE\xB3\xCF\x81\xCE\xB1\xCF\x86\xCE\xBF.rtf",
                      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs28 Hello \\b bold\\b0  world\\par}");
  Show(200, 150);
  HWND pane = PaneOf(rtf);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(testing::WindowText(pane).substr(0, 16), "Hello bold world");
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

  // Dark text on screen.
  EXPECT_TRUE(pump.Until(
      [] {
        const testing::Capture shown = testing::ReadScreen({114, 114, 264, 144});
        return shown.Count(shown.All(), [](COLORREF c) { return GetGValue(c) < 100; }) > 40;
      },
      2000));

  // A missing document leaves the text as it was and is reported once.
  rtf.FileName = "\\gone.rtf";
  ApplyObjectResources(state, rtf);
  EXPECT_EQ(testing::WindowText(pane).substr(0, 5), "Hello");
  expectedTexts = {"File \"" + (folder / "gone.rtf") + "\" not found"};
}

TEST_F(MenuWindow, PanesLieAbovePaintedObjectsInListOrderAndGoWithTheirObjects) {
  MenuObject& movie = Add(ObjectKind::Movie, 20, 20, 80, 60);
  MenuObject& rtf = Add(ObjectKind::Rtf, 60, 40, 80, 60);
  // An opaque label over everything, last in the list.
  MenuObject& label = Add(ObjectKind::Label, 0, 0, 200, 150);
  label.AsLabel()->Transparent = false;
  label.AsLabel()->Color = RGB(255, 0, 0);
  Show(200, 150);

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
  EXPECT_TRUE(pump.Until([&] { return ScreenPixel(100 + 80, 100 + 60) == face; }, 2000));

  HWND movieWindow = PaneOf(movie);
  HWND rtfWindow = PaneOf(rtf);
  ASSERT_TRUE(::IsWindow(movieWindow) && ::IsWindow(rtfWindow));
  RemoveObject(state, &movie);
  EXPECT_FALSE(::IsWindow(movieWindow));
  ClearObjects(state);
  EXPECT_FALSE(::IsWindow(rtfWindow));
  EXPECT_EQ(::GetWindow(form.InnerPanel(), GW_CHILD), nullptr);
}

// There is no page to look at here (the browser has no HTML engine under Wine), but the address it
// was sent to shows: the file in the CD folder the stored path names, or a web address as it is.
TEST_F(MenuWindow, AnHtmlPaneHostsTheBrowserAndNavigatesToTheResolvedAddressWithoutWaiting) {
  MenuObject& html = Add(ObjectKind::Html, 10, 10, 160, 120);
  html.FileName = File("page.html", "<html><body>Hi</body></html>");
  Show(200, 150);
  auto* pane = dynamic_cast<win::HtmlPane*>(html.Pane.get());
  ASSERT_NE(pane, nullptr);
  EXPECT_TRUE(pane->HasBrowser());
  EXPECT_NE(::FindWindowExA(pane->Handle(), nullptr, "Shell Embedding", nullptr), nullptr);
  EXPECT_EQ(pane->Location(), "") << "the designer creates the pane but never navigates";

  state.DesignerMode = false;
  const DWORD start = ::GetTickCount();
  ApplyObjectResources(state, html);
  EXPECT_LT(::GetTickCount() - start, 2000u);
  EXPECT_TRUE(pump.Until([&] { return pane->Location().rfind("file:", 0) == 0; }, 2000)) << pane->Location();
  EXPECT_EQ(PathOf(pane->Location()), folder / "page.html");
  // A Greek name with a blank and a "#", which would end the address unescaped.
  html.FileName = File("\xCF\x83\xCE\xB5\xCE\xBB\xCE\xAF\xCE\xB4\xCE\xB1 #1.html", "<html></html>");
  ApplyObjectResources(state, html);
  const std::string greek = folder / "\xCF\x83\xCE\xB5\xCE\xBB\xCE\xAF\xCE\xB4\xCE\xB1 #1.html";
  EXPECT_TRUE(pump.Until([&] { return PathOf(pane->Location()) == greek; }, 2000)) << pane->Location();
  html.FileName = "http://example.org/menu.html";
  ApplyObjectResources(state, html);
  EXPECT_TRUE(pump.Until([&] { return pane->Location() == "http://example.org/menu.html"; }, 2000)) << pane->Location();
  RemoveObject(state, &html);
}

TEST_F(MenuWindow, GdiObjectsStayFlatOverRepeatedApplyAndClearCycles) {
  if (!testing::GdiObjectsAreCounted()) GTEST_SKIP() << "no way to count GDI objects here";
  const std::string clip = File("clip.avi", testing::SolidAvi(16, 16, {RGB(1, 2, 3), RGB(4, 5, 6)}, 10));
  const std::string doc = File("doc.rtf", "{\\rtf1 text\\par}");
  auto cycle = [&] {
    Add(ObjectKind::Avi, 0, 0, 16, 16).FileName = clip;
    Add(ObjectKind::Rtf, 20, 0, 60, 40).FileName = doc;
    Add(ObjectKind::Movie, 0, 50, 40, 40);
    Add(ObjectKind::Label, 50, 50, 40, 20).AsLabel()->Caption = "x";
    state.Project.Form.TransparentColor = !state.Project.Form.TransparentColor;
    state.Project.Panel.BevelOuter = state.Project.Panel.BevelOuter ? 0 : 2;
    Show(200, 150);
    PrintClient(form.OuterPanel());
    ClearObjects(state);
    pump.For(50);
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
  void SetUp() override {}  // StartPlayer makes the window
};

// Records every size the menu window is given while it is visible.
std::vector<SIZE> g_sizes;
LRESULT CALLBACK RecordSizes(int code, WPARAM wp, LPARAM lp) {
  const auto* msg = reinterpret_cast<const CWPRETSTRUCT*>(lp);
  if (code == HC_ACTION && msg->message == WM_WINDOWPOSCHANGED && ::IsWindowVisible(msg->hwnd) &&
      testing::ClassName(msg->hwnd) == "TAutoRunForm") {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(msg->lParam);
    if (!(pos->flags & SWP_NOSIZE)) g_sizes.push_back({pos->cx, pos->cy});
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(PlayerStart, AMissingFileIsReportedOnceAndTheWindowAppearsCentredAtItsSizeAtOnce) {
  g_sizes.clear();
  HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &RecordSizes, nullptr, ::GetCurrentThreadId());
  StartPlayer([](AppState& s) {
    s.Project.Form.Width = 320;
    s.Project.Form.Height = 200;
    s.Project.Form.BorderStyle = 1;
    s.Project.Form.Caption = "Demo";
    s.Project.Objects.push_back(std::make_unique<MenuObject>(ObjectKind::Rtf));
    s.Project.Objects.back()->FileName = "\\missing.rtf";
  });
  pump.For(200);
  ::UnhookWindowsHookEx(hook);

  expectedTexts = {"File \"" + (folder / "missing.rtf") + "\" not found"};
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
  for (const SIZE& s : g_sizes)
    EXPECT_TRUE((s.cx == 0 && s.cy == 0) || (s.cx == 320 && s.cy == 200)) << "shown at " << s.cx << " x " << s.cy;
}

TEST_F(PlayerStart, TheApplicationTakesTheWindowsCaptionAndIcon) {
  // An icon beside the project becomes the window's icon when FormIcon is empty.
  ASSERT_TRUE(testing::CopyFromExeFolder("Default.ico", folder / "AutoRun.ico"));
  win::Win32Ui realUi;
  env.Ui = &realUi;
  // Greek, Chinese and Arabic: the caption reaches the window whole, whatever the code page.
  static const std::string kCaption =
      "\xCE\x9C\xCE\xB5\xCE\xBD\xCE\xBF\xCF\x8D \xE8\x8F\x9C\xE5\x8D\x95 "
      "\xD9\x82\xD8\xA7\xD8\xA6\xD9\x85\xD8\xA9";
  StartPlayer([](AppState& s) {
    s.Project.Form.Width = 200;
    s.Project.Form.Height = 100;
    s.Project.Form.Caption = kCaption;
  });
  EXPECT_EQ(realUi.Title, kCaption);
  EXPECT_EQ(testing::WindowText(form.hwnd()), kCaption);
  // The small icon is the file's own small frame, not the large one handed over again.
  const auto iconWidth = [&](WPARAM which) {
    ICONINFO info{};
    HICON icon = reinterpret_cast<HICON>(::SendMessageA(form.hwnd(), WM_GETICON, which, 0));
    if (!icon || !::GetIconInfo(icon, &info)) return 0L;
    BITMAP bm{};
    ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bm.bmWidth;
  };
  EXPECT_EQ(iconWidth(ICON_BIG), ::GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(iconWidth(ICON_SMALL), ::GetSystemMetrics(SM_CXSMICON));
}

// The start sound is asked for before the start link runs, and both after the window is shown.
// The first-paint hook (where the player enters COM, which the shell needs) runs once, before both.
TEST_F(PlayerStart, TheStartSoundPlaysAndThenTheStartLinkRuns) {
  // Notes how many sound requests had been made when the shell was called.
  struct OrderedShell : testing::FakeShell {
    explicit OrderedShell(testing::FakeSoundPlayer& s) : Sound(s) {}
    testing::FakeSoundPlayer& Sound;
    std::vector<size_t> SoundCallsBefore;
    int Execute(const char* verb, const std::string& file, const char* parameters, const char* directory,
                int32_t showCommand) override {
      SoundCallsBefore.push_back(Sound.Calls.size());
      return FakeShell::Execute(verb, file, parameters, directory, showCommand);
    }
  } ordered{sound};
  env.Launcher = &ordered;
  File("start.wav", "RIFF");
  std::vector<size_t> shellCallsAtHook;
  bool shownAtHook = false;
  form.OnFirstPaint = [&] {
    shellCallsAtHook.push_back(ordered.Calls.size() + sound.Calls.size());
    shownAtHook = ::IsWindowVisible(form.hwnd());
  };
  StartPlayer([](AppState& s) {
    s.Project.Form.Width = 200;
    s.Project.Form.Height = 100;
    s.Project.StartSound = "\\start.wav";
    s.Project.StartLink.Action = LinkAction::OpenFile;
    s.Project.StartLink.Target = "\\setup.exe";
  });
  EXPECT_TRUE(pump.Until([&] { return !ordered.Calls.empty(); }, 2000));
  EXPECT_EQ(sound.Calls, (std::vector<std::string>{"close", "open " + folder.Path() + "\\\\start.wav", "play"}));
  ASSERT_EQ(ordered.Calls.size(), 1u);
  EXPECT_EQ(ordered.Calls[0].File, folder / "setup.exe");
  EXPECT_EQ(ordered.SoundCallsBefore, std::vector<size_t>{3});
  EXPECT_TRUE(::IsWindowVisible(form.hwnd()));
  EXPECT_EQ(shellCallsAtHook, std::vector<size_t>{0});
  EXPECT_TRUE(shownAtHook);
}

}  // namespace
}  // namespace corvela
