// The running menu's mouse against real Win32: hot looks, the pressed look, the hand cursor and
// clicks on the painted objects of the inner panel, and the links of the player's start. Pixels
// are read back through WM_PRINTCLIENT; the shell and the sound device are fakes.
#include <gtest/gtest.h>

#include <tuple>

#include "support/win/GdiObjects.h"
#include "support/win/MenuWindowFixture.h"
#include "support/win/Pixels.h"
#include "support/win/TestFiles.h"

namespace corvela {
namespace {

using testing::Capture;
using testing::PrintClient;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0), kTeal = RGB(0, 128, 128), kMagenta = RGB(255, 0, 255);

// A 24-bit bitmap file in one colour whose bottom-left pixel (a glyph's transparent colour) is corner.
std::string Bmp(int w, int h, COLORREF body, COLORREF corner) {
  return testing::Bmp24(w, h, [=](int x, int y) { return x == 0 && y == h - 1 ? corner : body; });
}

bool Reddish(COLORREF c) {
  return GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90;
}
bool Bluish(COLORREF c) {
  return GetBValue(c) > 160 && GetRValue(c) < 90 && GetGValue(c) < 90;
}
bool Dark(COLORREF c) {
  return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60;
}

// The update rectangle of every WM_PAINT the watched window receives, taken before it paints.
std::vector<RECT>* g_paints = nullptr;
HWND g_painted = nullptr;
LRESULT CALLBACK RecordPaints(int code, WPARAM wp, LPARAM lp) {
  const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && g_paints && msg->hwnd == g_painted && msg->message == WM_PAINT) {
    RECT rc{};
    ::GetUpdateRect(msg->hwnd, &rc, FALSE);
    g_paints->push_back(rc);
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

class PlayerMouse : public testing::MenuWindowTest {
 protected:
  void SetUp() override {
    MenuWindowTest::SetUp();
    state.DesignerMode = false;
  }
  LRESULT Mouse(UINT msg, int x, int y) {
    const WPARAM keys = msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
    return ::SendMessageA(form.InnerPanel(), msg, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }
  void Click(int x, int y) {
    Mouse(WM_MOUSEMOVE, x, y);
    Mouse(WM_LBUTTONDOWN, x, y);
    Mouse(WM_LBUTTONUP, x, y);
  }
};

// A label, a flat button with glyphs and an image with pictures, each with a hot look.
class HotLooks : public PlayerMouse {
 protected:
  void SetUp() override {
    PlayerMouse::SetUp();
    FontRecord normal;
    normal.Name = "Arial";
    normal.Size = 14;
    normal.Color = kBlue;
    FontRecord hot = normal;
    hot.Color = kRed;
    hot.Style = fsBold;

    MenuObject& label = Add(ObjectKind::Label, 10, 10, 120, 30);
    label.AsLabel()->Caption = "Label";
    label.AsLabel()->Color = RGB(255, 255, 255);
    label.AsLabel()->Font = normal;
    label.HotTrackFont = hot;

    MenuObject& button = Add(ObjectKind::Button, 10, 60, 120, 40);
    button.AsButton()->Flat = true;
    button.AsButton()->Caption = "Go";
    button.AsButton()->Font = normal;
    button.HotTrackFont = hot;
    button.BitmapFile = File("glyph.bmp", Bmp(16, 16, kGreen, kMagenta));
    button.HotTrackBitmapFile = File("glyph_hot.bmp", Bmp(16, 16, kYellow, kMagenta));

    MenuObject& image = Add(ObjectKind::Image, 160, 10, 60, 60);
    image.AsImage()->Stretch = true;
    image.FileName = File("normal.bmp", Bmp(8, 8, kGreen, kGreen));
    image.HotTrackImageFile = File("hot.bmp", Bmp(8, 8, kTeal, kTeal));
    Show();
  }

  // What each object shows now, read from the panel's pixels.
  struct Looks {
    bool LabelHot;
    bool ButtonHot;
    COLORREF Glyph;
    COLORREF Image;
  };
  Looks Read() {
    const Capture c = PrintClient(form.InnerPanel());
    const RECT label{10, 10, 130, 40}, caption{40, 60, 130, 100};
    EXPECT_EQ(c.Count(label, Bluish) > 0, c.Count(label, Reddish) == 0) << "label in both fonts or neither";
    EXPECT_EQ(c.Count(caption, Bluish) > 0, c.Count(caption, Reddish) == 0) << "caption in both fonts or neither";
    const RECT glyph = c.Bounds({10, 60, 130, 100}, [](COLORREF p) { return p == kGreen || p == kYellow; });
    return {c.Count(label, Reddish) > 0, c.Count(caption, Reddish) > 0,
            c.At((glyph.left + glyph.right) / 2, (glyph.top + glyph.bottom) / 2), c.At(190, 40)};
  }
};

TEST_F(HotLooks, EachObjectShowsItsHotLookUnderTheMouseAndGetsItsOwnBack) {
  struct Step {
    int X, Y;
    bool LabelHot, ButtonHot;
    COLORREF Glyph, Image;
  };
  const Step steps[] = {
      {250, 150, false, false, kGreen, kGreen},  // the background
      {20, 20, true, false, kGreen, kGreen},     // the label
      {20, 80, false, true, kYellow, kGreen},    // straight onto the button: both change in one move
      {180, 30, false, false, kGreen, kTeal},    // the image
      {250, 150, false, false, kGreen, kGreen},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(::testing::Message() << s.X << "," << s.Y);
    Mouse(WM_MOUSEMOVE, s.X, s.Y);
    const Looks looks = Read();
    EXPECT_EQ(looks.LabelHot, s.LabelHot);
    EXPECT_EQ(looks.ButtonHot, s.ButtonHot);
    EXPECT_EQ(looks.Glyph, s.Glyph);
    EXPECT_EQ(looks.Image, s.Image);
  }
}

TEST_F(PlayerMouse, PngHotTrackPicturesAndGlyphsSwapAndComeBack) {
  // Opaque in the middle, see-through at the edges, so the blending path draws them.
  const auto png = [&](const char* name, int size, uint32_t rgb) {
    EXPECT_TRUE(testing::WritePng(folder / name, size, size, [=](int x, int) {
      return (x == 0 || x == size - 1 ? 0u : 0xFF000000u) | rgb;
    }));
    return std::string("\\") + name;
  };
  MenuObject& image = Add(ObjectKind::Image, 160, 10, 60, 60);
  image.AsImage()->Stretch = true;
  image.FileName = png("normal.png", 8, 0x00FF00);
  image.HotTrackImageFile = png("hot.png", 8, 0x008080);
  MenuObject& button = Add(ObjectKind::Button, 10, 60, 120, 40);
  button.AsButton()->Flat = true;
  button.BitmapFile = png("glyph.png", 16, 0x00FF00);
  button.HotTrackBitmapFile = png("glyph_hot.png", 16, 0xFFFF00);
  Show();
  const auto glyphAt = [](const testing::Capture& c) {
    const RECT g = c.Bounds({10, 60, 130, 100}, [](COLORREF p) { return p == kGreen || p == kYellow; });
    return c.At((g.left + g.right) / 2, (g.top + g.bottom) / 2);
  };
  const struct {
    int X, Y;
    COLORREF Image, Glyph;
  } steps[] = {{250, 150, kGreen, kGreen}, {190, 40, kTeal, kGreen}, {30, 80, kGreen, kYellow}, {250, 150, kGreen, kGreen}};
  for (const auto& s : steps) {
    SCOPED_TRACE(::testing::Message() << s.X << "," << s.Y);
    Mouse(WM_MOUSEMOVE, s.X, s.Y);
    const Capture c = PrintClient(form.InnerPanel());
    EXPECT_EQ(c.At(190, 40), s.Image);
    EXPECT_EQ(glyphAt(c), s.Glyph);
  }
}

TEST_F(HotLooks, TheChangedObjectsArePaintedAtOnceAndNothingWhenNothingChanged) {
  std::vector<RECT> paints;
  g_paints = &paints;
  g_painted = form.InnerPanel();
  HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &RecordPaints, nullptr, ::GetCurrentThreadId());
  auto paintedRects = [&](int x, int y) {
    paints.clear();
    Mouse(WM_MOUSEMOVE, x, y);  // no message is pumped: what is painted, is painted inside the move
    std::vector<std::tuple<LONG, LONG, LONG, LONG>> out;
    for (const RECT& r : paints) out.emplace_back(r.left, r.top, r.right, r.bottom);
    return out;
  };
  using Rects = std::vector<std::tuple<LONG, LONG, LONG, LONG>>;
  EXPECT_EQ(paintedRects(20, 20), (Rects{{10, 10, 130, 40}}));
  EXPECT_EQ(paintedRects(25, 22), Rects{});
  // Label and flat button in one paint.
  EXPECT_EQ(paintedRects(20, 80), (Rects{{10, 10, 130, 100}}));
  EXPECT_EQ(paintedRects(250, 150), (Rects{{10, 60, 130, 100}}));
  EXPECT_EQ(paintedRects(251, 150), Rects{});
  ::UnhookWindowsHookEx(hook);
  g_paints = nullptr;
}

// Only the changed objects are painted, in client coordinates like a full paint.
TEST_F(HotLooks, WhatAHoverChangePutsOnScreenIsWhatAFullPaintDraws) {
  RECT panel;
  ::GetWindowRect(form.InnerPanel(), &panel);
  for (POINT p : {POINT{20, 80}, POINT{180, 30}}) {
    Mouse(WM_MOUSEMOVE, p.x, p.y);
    const Capture full = PrintClient(form.InnerPanel());
    EXPECT_TRUE(pump.Until([&] { return testing::Differences(testing::ReadScreen(panel), full) == 0; }, 2000))
        << p.x << "," << p.y;
  }
}

TEST_F(HotLooks, LeavingTheWindowDropsTheFlatButtonsEdgeAndTheHotLook) {
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  // The real pointer must be there too: asking for the leave elsewhere is answered at once.
  POINT pt{20, 80};
  ::ClientToScreen(form.InnerPanel(), &pt);
  ::SetCursorPos(pt.x, pt.y);
  Mouse(WM_MOUSEMOVE, 20, 80);
  EXPECT_EQ(PrintClient(form.InnerPanel()).At(60, 60), light) << "no raised edge under the mouse";
  // The panel has asked to be told when the mouse leaves it.
  TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
  ASSERT_TRUE(::TrackMouseEvent(&query));
  EXPECT_TRUE(query.dwFlags & TME_LEAVE);
  EXPECT_EQ(query.hwndTrack, form.InnerPanel());
  // Off the window: the system reports the leave, and no highlight stays behind.
  ::SetCursorPos(2, 2);
  EXPECT_TRUE(pump.Until([&] { return PrintClient(form.InnerPanel()).At(60, 60) != light; }, 2000));
  EXPECT_FALSE(Read().ButtonHot);
}

TEST_F(HotLooks, GdiObjectsStayFlatOver200HoverCycles) {
  if (!testing::GdiObjectsAreCounted()) GTEST_SKIP() << "no way to count GDI objects here";
  auto cycle = [&] {
    for (POINT p : {POINT{20, 20}, POINT{250, 150}, POINT{20, 80}, POINT{180, 30}, POINT{250, 150}})
      Mouse(WM_MOUSEMOVE, p.x, p.y);
  };
  cycle();
  cycle();
  const auto before = testing::GdiObjects();
  for (int i = 0; i < 200; ++i) cycle();
  EXPECT_EQ(testing::GdiObjects(), before);
}

TEST_F(PlayerMouse, PressingAButtonShiftsGlyphAndCaptionUntilReleaseAndOnlyAReleaseOverItClicks) {
  MenuObject& button = Add(ObjectKind::Button, 20, 20, 140, 50);
  button.AsButton()->Caption = "Install";
  button.AsButton()->Font.Name = "Arial";
  button.AsButton()->Font.Size = 14;
  button.AsButton()->Font.Color = RGB(0, 0, 0);
  // The hot look is another test's business: here it must not move the caption.
  button.HotTrackFont = button.AsButton()->Font;
  button.BitmapFile = File("glyph.bmp", Bmp(20, 20, kGreen, kMagenta));
  button.Link.Action = LinkAction::OpenFile;
  button.Link.Target = "\\setup.exe";
  Show();
  // Inside the push frame, clear of its dark outer ring.
  const RECT inside{24, 24, 156, 66};
  auto glyphAndCaption = [&] {
    const Capture c = PrintClient(form.InnerPanel());
    return std::make_pair(c.Bounds(inside, testing::Is(kGreen)), c.Bounds(inside, Dark));
  };
  Mouse(WM_MOUSEMOVE, 60, 40);
  const auto up = glyphAndCaption();
  ASSERT_LT(up.first.left, up.first.right);
  ASSERT_LT(up.second.left, up.second.right) << "no caption";

  Mouse(WM_LBUTTONDOWN, 60, 40);
  EXPECT_EQ(::GetCapture(), form.InnerPanel());
  const auto down = glyphAndCaption();
  for (auto [before, after] : {std::make_pair(up.first, down.first), std::make_pair(up.second, down.second)})
    EXPECT_EQ(testing::Describe(after),
              testing::Describe({before.left + 1, before.top + 1, before.right + 1, before.bottom + 1}));
  // Dragged off, the button comes up; released there, nothing runs.
  Mouse(WM_MOUSEMOVE, 250, 150);
  EXPECT_EQ(glyphAndCaption().first.left, up.first.left);
  Mouse(WM_LBUTTONUP, 250, 150);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(shell.Calls.empty());

  Click(60, 40);
  EXPECT_EQ(glyphAndCaption().first.left, up.first.left);
  ASSERT_EQ(shell.Calls.size(), 1u);
  EXPECT_EQ(shell.Calls[0].File, folder / "setup.exe");
}

TEST_F(PlayerMouse, LabelsAndImagesRunTheirLinksAndShowTheHandPanesNever) {
  MenuObject& label = Add(ObjectKind::Label, 10, 10, 100, 20);
  label.Link.Action = LinkAction::SendEmail;
  label.Link.Target = "me@example.org";
  Add(ObjectKind::Image, 10, 40, 60, 60).Link.Action = LinkAction::BrowseCd;
  Add(ObjectKind::Image, 100, 40, 60, 60);  // no link
  MenuObject& movie = Add(ObjectKind::Movie, 180, 40, 60, 60);
  movie.Link.Action = LinkAction::OpenUrl;
  movie.Link.Target = "http://example.org/";
  Show();

  Click(20, 15);
  Click(20, 50);
  Click(120, 50);
  // The pane's own window takes its clicks, and it has no click handler.
  ::SendMessageA(PaneOf(movie), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(PaneOf(movie), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(shell.Calls.size(), 2u);
  EXPECT_EQ(shell.Calls[0].File, "mailto:me@example.org");
  EXPECT_EQ(shell.Calls[1].Verb, "explore");

  const struct {
    int X, Y;
    LPCSTR Cursor;
  } cases[] = {{20, 15, IDC_HAND}, {20, 50, IDC_HAND}, {120, 50, IDC_ARROW}, {250, 150, IDC_ARROW}};
  HWND panel = form.InnerPanel();
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.X << "," << c.Y);
    POINT pt{c.X, c.Y};
    ::ClientToScreen(panel, &pt);
    ::SetCursorPos(pt.x, pt.y);
    EXPECT_EQ(::SendMessageA(panel, WM_SETCURSOR, reinterpret_cast<WPARAM>(panel), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, c.Cursor));
  }
  ::SetCursorPos(2, 2);
}

TEST_F(PlayerMouse, AnAviPaneHidesWhatLiesBeneathFromClicksAndHover) {
  MenuObject& label = Add(ObjectKind::Label, 10, 10, 200, 60);
  label.Link.Action = LinkAction::BrowseCd;
  Add(ObjectKind::Label, 10, 100, 100, 20);
  MenuObject& avi = Add(ObjectKind::Avi, 100, 20, 60, 40);
  avi.FileName = File("clip.avi", testing::SolidAvi(60, 40, {kRed}, 10));
  Show();
  HWND panel = form.InnerPanel(), pane = PaneOf(avi);
  ASSERT_NE(pane, nullptr);
  auto screen = [&](int x, int y) {
    POINT pt{x, y};
    ::ClientToScreen(panel, &pt);
    return pt;
  };
  MenuObject& other = *state.Project.Objects[1];
  POINT pt = screen(20, 105);
  ::SetCursorPos(pt.x, pt.y);
  Mouse(WM_MOUSEMOVE, 20, 105);
  ASSERT_TRUE(other.Hot);

  // The system sends the mouse over the clip to the clip, not to the label beneath it.
  pt = screen(120, 30);
  EXPECT_EQ(::SendMessageA(pane, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), HTCLIENT);
  ::SetCursorPos(pt.x, pt.y);
  EXPECT_EQ(::WindowFromPoint(pt), pane);
  ::SendMessageA(pane, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
  ::SendMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  ::SendMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  ::SendMessageA(pane, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
  ::SendMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  pump.For(100);
  EXPECT_TRUE(shell.Calls.empty());
  // Over the pane the hot object stays as it was: the label beneath does not become hot.
  EXPECT_TRUE(other.Hot);
  EXPECT_FALSE(label.Hot);

  // Straight out of the window from the pane: the pane passes the leave on.
  ::SetCursorPos(2, 2);
  EXPECT_TRUE(pump.Until([&] { return !other.Hot; }, 2000));
}

TEST_F(PlayerMouse, TheHotLookGoesWhenTheMouseLeavesTheWindowFromAnRtfOrHtmlPane) {
  MenuObject& label = Add(ObjectKind::Label, 10, 100, 100, 20);
  MenuObject& rtf = Add(ObjectKind::Rtf, 100, 20, 60, 40);
  MenuObject& html = Add(ObjectKind::Html, 180, 20, 60, 40);
  Show();
  HWND panel = form.InnerPanel();
  auto moveTo = [&](int x, int y) {
    POINT pt{x, y};
    ::ClientToScreen(panel, &pt);
    ::SetCursorPos(pt.x, pt.y);
  };
  for (MenuObject* pane : {&rtf, &html}) {
    SCOPED_TRACE(pane == &rtf ? "RTF" : "HTML");
    ASSERT_NE(PaneOf(*pane), nullptr);
    moveTo(20, 105);
    Mouse(WM_MOUSEMOVE, 20, 105);
    ASSERT_TRUE(label.Hot);
    // Onto the pane the label stays hot; from there straight out of the window it does not.
    moveTo(pane->Base().Left + 30, 40);
    EXPECT_TRUE(pump.Until(
        [&] {
          TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
          return ::TrackMouseEvent(&query) && query.hwndTrack != panel;
        },
        2000))
        << "the panel was not told that the mouse left it";
    EXPECT_TRUE(label.Hot);
    ::SetCursorPos(2, 2);
    EXPECT_TRUE(pump.Until([&] { return !label.Hot; }, 2000));
  }
}

}  // namespace
}  // namespace corvela
