// The player at twice the design resolution, in-process: the window, the text, the frames, the
// panes and the clicks scale, and text is drawn at its new size rather than stretched.
#include <gtest/gtest.h>
#include <richedit.h>

#include <set>

#include "platform/win/Dpi.h"
#include "player/DpiLayout.h"
#include "support/win/MenuWindowFixture.h"
#include "support/win/Pixels.h"
#include "support/win/TestFiles.h"

namespace corvela {
namespace {

using testing::Capture;
using testing::PrintClient;

constexpr COLORREF kWhite = RGB(255, 255, 255);

class Dpi : public testing::MenuWindowTest {
 protected:
  void SetUp() override {
    MenuWindowTest::SetUp();
    state.DesignerMode = false;
    state.Project.BackColor = 0xFFFFFF;
  }
  // Black text on white, its ink's bounds in the panel.
  RECT Ink(const Capture& c) {
    return c.Bounds(c.All(), [](COLORREF p) { return GetRValue(p) < 128; });
  }
  MenuObject& AddText(const char* caption, int left, int top, int width, int height) {
    MenuObject& label = Add(ObjectKind::Label, left, top, width, height);
    label.AsLabel()->Caption = caption;
    label.AsLabel()->Transparent = true;
    label.AsLabel()->Font.Name = "Arial";
    label.AsLabel()->Font.Size = 20;
    label.AsLabel()->Font.Color = 0;
    return label;
  }
  // A move to a monitor of the resolution, the window taking the size it suggests.
  void MoveToMonitor(int dpi) {
    RECT suggested{100, 100, 100 + 300 * dpi / 96, 100 + 200 * dpi / 96};
    ::SendMessageA(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    ::RedrawWindow(form.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump.For(50);
  }
  void Click(int x, int y) {
    const LPARAM at = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    ::SendMessageA(form.InnerPanel(), WM_MOUSEMOVE, 0, at);
    ::SendMessageA(form.InnerPanel(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(form.InnerPanel(), WM_LBUTTONUP, 0, at);
  }
};

TEST_F(Dpi, At192TheWindowIsTwiceTheSizeAndTextTwiceTheHeightAndSharp) {
  AddText("H", 10, 10, 100, 60);
  Show(300, 200);
  const Capture at96 = PrintClient(form.InnerPanel());
  const RECT ink96 = Ink(at96);
  ASSERT_GT(ink96.bottom - ink96.top, 8);

  form.SetDpi(192);
  Show(300, 200);
  RECT window;
  ::GetWindowRect(form.hwnd(), &window);
  EXPECT_EQ(window.right - window.left, 600);
  EXPECT_EQ(window.bottom - window.top, 400);
  const Capture at192 = PrintClient(form.InnerPanel());
  EXPECT_EQ(at192.Width, 600);
  const RECT ink192 = Ink(at192);
  const int h96 = ink96.bottom - ink96.top, h192 = ink192.bottom - ink192.top;
  EXPECT_NEAR(h192, 2 * h96, 2) << "text height";
  EXPECT_NEAR(ink192.left, 2 * ink96.left, 3) << "text position";
  at192.Shot("dpi-192-text");

  // A stretched picture of the 96-dpi text would show each pixel as a 2 x 2 block; text drawn at
  // its size has pixels of its own in places no such block has them, and the stem's edge stays one
  // pixel wide rather than blurred over two.
  int ownPixels = 0;
  for (int y = ink192.top; y + 1 < ink192.bottom; y += 2)
    for (int x = ink192.left & ~1; x + 1 < ink192.right; x += 2)
      if (at192.At(x, y) != at192.At(x + 1, y) || at192.At(x, y) != at192.At(x, y + 1)) ++ownPixels;
  EXPECT_GT(ownPixels, 0);
  const int row = (ink192.top + ink192.bottom) / 2 - (ink192.bottom - ink192.top) / 4;  // through both stems only
  int partial = 0;
  for (int x = ink192.left - 3; x < ink192.left + 3; ++x) {
    const COLORREF p = at192.At(x, row);
    if (p != kWhite && GetRValue(p) >= 40) ++partial;
  }
  EXPECT_LE(partial, 1) << "the stem's left edge";
  EXPECT_LT(GetRValue(at192.At(ink192.left + 1, row)), 40) << "inside the stem";
}

TEST_F(Dpi, MovedToAMonitorOfAnotherResolutionTheWindowTakesTheSuggestedRectangleAndRescales) {
  AddText("H", 10, 10, 100, 60);
  Show(300, 200);
  const RECT ink96 = Ink(PrintClient(form.InnerPanel()));
  RECT suggested{50, 60, 500, 360};
  ::SendMessageA(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT window;
  ::GetWindowRect(form.hwnd(), &window);
  EXPECT_EQ(window.left, 50);
  EXPECT_EQ(window.top, 60);
  EXPECT_EQ(window.right, 500);
  EXPECT_EQ(window.bottom, 360);
  EXPECT_EQ(form.Scale().Dpi(), 144);
  const Capture at144 = PrintClient(form.InnerPanel());
  EXPECT_EQ(at144.Width, 450);
  const RECT ink = Ink(at144);
  EXPECT_NEAR(ink.bottom - ink.top, (ink96.bottom - ink96.top) * 3 / 2, 2);
  EXPECT_NEAR(ink.left, ink96.left * 3 / 2, 2);
}

TEST_F(Dpi, At192AClickRunsTheLinkOfTheObjectDrawnUnderIt) {
  MenuObject& left = AddText("", 10, 10, 50, 30);
  left.Link.Action = LinkAction::SendEmail;
  left.Link.Target = "left@example.org";
  MenuObject& right = AddText("", 60, 10, 50, 30);
  right.Link.Action = LinkAction::SendEmail;
  right.Link.Target = "right@example.org";
  form.SetDpi(192);
  Show(300, 200);
  // Device pixel 130 is design pixel 65: the right label, though at 96 dpi it lies past both.
  Click(130, 30);
  // The last device pixel of the left label, and the first of the right one.
  Click(119, 30);
  Click(120, 30);
  Click(230, 30);  // design pixel 115: past both
  ASSERT_EQ(shell.Calls.size(), 3u);
  EXPECT_EQ(shell.Calls[0].File, "mailto:right@example.org");
  EXPECT_EQ(shell.Calls[1].File, "mailto:left@example.org");
  EXPECT_EQ(shell.Calls[2].File, "mailto:right@example.org");
}

// A menu that would not fit the monitor at its resolution is drawn at the highest scale at which it
// does, centred in the work area whatever Position and the stored place say: at 192 dpi an 800 x
// 600 menu placed at 100, 100 once reached past the screen's right and bottom edges.
TEST_F(Dpi, OnAMonitorTooSmallForTheScaledMenuTheScaleIsLoweredUntilTheWindowFitsCentred) {
  AddText("H", 10, 10, 100, 60);
  state.Project.Form.Position = static_cast<uint8_t>(FormPosition::Designed);
  Show(800, 600);
  const RECT ink96 = Ink(PrintClient(form.InnerPanel()));
  // As in a player, the monitor's resolution is known before the menu's size.
  Show(300, 200);
  form.SetDpi(192);
  ASSERT_EQ(form.Scale().Dpi(), 192);
  Show(800, 600);
  const Rect work = win::WorkAreaOf(form.hwnd());
  ASSERT_LT(work.Width(), 1600) << "the session's screen must be smaller than the menu at 192 dpi";
  const int dpi = form.Scale().Dpi();
  EXPECT_GT(dpi, 96);
  EXPECT_LT(dpi, 192);
  const DpiScale scale(dpi), higher(dpi + 1);
  EXPECT_TRUE(higher.Length(800) > work.Width() || higher.Length(600) > work.Height()) << "the highest that fits";
  RECT window;
  ::GetWindowRect(form.hwnd(), &window);
  EXPECT_EQ(window.right - window.left, scale.Length(800));
  EXPECT_EQ(window.bottom - window.top, scale.Length(600));
  EXPECT_GE(window.left, work.Left);
  EXPECT_GE(window.top, work.Top);
  EXPECT_LE(window.right, work.Right);
  EXPECT_LE(window.bottom, work.Bottom);
  EXPECT_NEAR(window.left - work.Left, work.Right - window.right, 1) << "centred across";
  EXPECT_NEAR(window.top - work.Top, work.Bottom - window.bottom, 1) << "and down";
  const RECT ink = Ink(PrintClient(form.InnerPanel()));
  EXPECT_NEAR(ink.bottom - ink.top, (ink96.bottom - ink96.top) * dpi / 96, 2) << "the text at that scale";
}

// A 20,000 x 20,000 stretched image from a file at 150 %: scaled whole, its 30,000 x 30,000 pixels
// took gigabytes and many seconds on each paint; the part that shows is all that is scaled.
TEST_F(Dpi, AHugeStretchedPictureIsScaledOnlyWhereItShows) {
  MenuObject& image = Add(ObjectKind::Image, 0, 0, 20000, 20000);
  image.AsImage()->Stretch = true;
  image.FileName = File("quad.bmp", testing::Bmp24(4, 4, [](int x, int y) {
                          return x < 2 ? (y < 2 ? RGB(255, 0, 0) : RGB(0, 0, 255)) : RGB(0, 255, 0);
                        }));
  form.SetDpi(144);
  const DWORD start = ::GetTickCount();
  Show(300, 200);
  const Capture shown = PrintClient(form.InnerPanel());
  EXPECT_LT(::GetTickCount() - start, 3000u);
  EXPECT_EQ(shown.At(10, 10), RGB(255, 0, 0)) << "the top-left quarter of the picture fills what shows";
  EXPECT_EQ(shown.At(shown.Width - 1, shown.Height - 1), RGB(255, 0, 0));
}

// The platform draws its 3D edges one pixel per ring at any resolution; the menu's are drawn by
// ring, each ring as many pixels wide as the scale makes one.
TEST_F(Dpi, At192ThePanelBorderAndAButtonFrameAreTwiceAsWideInTheSameColours) {
  state.Project.Panel.BorderStyle = 1;
  Add(ObjectKind::Button, 20, 20, 80, 40).AsButton()->Flat = false;
  Show(300, 200);
  const Capture outer96 = PrintClient(form.OuterPanel()), inner96 = PrintClient(form.InnerPanel());
  MoveToMonitor(192);
  const Capture outer192 = PrintClient(form.OuterPanel()), inner192 = PrintClient(form.InnerPanel());
  inner192.Shot("dpi-192-button-frame");

  RECT inner;
  ::GetWindowRect(form.InnerPanel(), &inner);
  ::MapWindowPoints(nullptr, form.OuterPanel(), reinterpret_cast<POINT*>(&inner), 2);
  EXPECT_EQ(inner.left, 4) << "the inner panel lies inside the border as drawn";
  EXPECT_EQ(inner.top, 4);
  // The border's two rings, across the left side and up the bottom.
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(outer192.At(i, 200), outer96.At(i / 2, 100)) << "left side, pixel " << i;
    EXPECT_EQ(outer192.At(300, outer192.Height - 1 - i), outer96.At(150, outer96.Height - 1 - i / 2))
        << "bottom, pixel " << i;
  }
  // The push-button frame's two rings, on each side, then the face inside.
  for (int i = 0; i < 5; ++i) {
    const std::string what = "pixel " + std::to_string(i);
    EXPECT_EQ(inner192.At(40 + i, 80), inner96.At(20 + i / 2, 40)) << "left, " << what;
    EXPECT_EQ(inner192.At(199 - i, 80), inner96.At(99 - i / 2, 40)) << "right, " << what;
    EXPECT_EQ(inner192.At(120, 40 + i), inner96.At(60, 20 + i / 2)) << "top, " << what;
    EXPECT_EQ(inner192.At(120, 119 - i), inner96.At(60, 59 - i / 2)) << "bottom, " << what;
  }
  EXPECT_NE(inner96.At(20, 40), inner96.At(21, 40)) << "the frame has two rings of its own colours";
}

// Rich edit draws its text at the resolution its DC reports, here the session's 96 dpi; on a
// monitor of 192 the text zooms to stay as large against the menu, also once loaded again.
TEST_F(Dpi, OnAMonitorOf192TheRichTextPaneZoomsItsTextTwice) {
  MenuObject& rtf = Add(ObjectKind::Rtf, 10, 10, 180, 100);
  rtf.FileName = File("doc.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs28 Hello\\par}");
  Show(300, 200);
  HWND pane = PaneOf(rtf);
  ASSERT_NE(pane, nullptr);
  auto zoom = [&] {
    WPARAM numerator = 0;
    LPARAM denominator = 0;
    ::SendMessageA(pane, EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator), reinterpret_cast<LPARAM>(&denominator));
    return std::to_string(numerator) + "/" + std::to_string(denominator);
  };
  EXPECT_EQ(zoom(), "0/0") << "at the design resolution the control keeps its own size";
  MoveToMonitor(192);
  EXPECT_EQ(zoom(), "2/1");
  ApplyAllObjectResources(state);
  EXPECT_EQ(zoom(), "2/1") << "after loading again";
  MoveToMonitor(96);
  EXPECT_EQ(zoom(), "0/0") << "back at the design resolution";
}

// The animation control cannot stretch its frames: above the design resolution the clip is drawn
// at the menu's scale, centred in its pane on the same background, and plays on across moves
// between monitors of either resolution.
TEST_F(Dpi, OnAMonitorOf192AnAviClipPlaysAtTwiceItsRecordedSizeCentredInItsPane) {
  const std::set<COLORREF> frames{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  MenuObject& avi = Add(ObjectKind::Avi, 10, 10, 100, 80);
  // Named in Arabic: the clip reader opens it all the same.
  avi.FileName = File("\xD9\x85\xD9\x82\xD8\xB7\xD8\xB9.avi",
                      testing::SolidAvi(30, 20, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}, 10));
  Show(300, 200);
  // The clip's pixels in its pane, the frame colours seen over a while, and a corner's colour.
  struct Seen {
    RECT Drawn{};
    std::set<COLORREF> Colours;
    COLORREF Corner = 0;
  };
  auto watch = [&] {
    Seen seen;
    RECT pane;
    ::GetWindowRect(PaneOf(avi), &pane);
    pump.Until(
        [&] {
          const Capture c = testing::ReadScreen(pane);
          const RECT drawn = c.Bounds(c.All(), [&](COLORREF p) { return frames.count(p) != 0; });
          if (!testing::Empty(drawn)) {
            seen.Drawn = drawn;
            seen.Colours.insert(c.At(drawn.left + 1, drawn.top + 1));
          }
          seen.Corner = c.At(1, 1);
          return seen.Colours.size() == frames.size();
        },
        1500);
    return seen;
  };
  const Seen at96 = watch();
  EXPECT_EQ(testing::Describe(at96.Drawn), testing::Describe(RECT{35, 30, 65, 50}));
  EXPECT_EQ(at96.Colours.size(), 3u);

  MoveToMonitor(192);
  const Seen at192 = watch();
  EXPECT_EQ(testing::Describe(at192.Drawn), testing::Describe(RECT{70, 60, 130, 100})) << "twice as large, centred";
  EXPECT_EQ(at192.Colours.size(), 3u) << "and playing";
  EXPECT_EQ(at192.Corner, at96.Corner) << "on the animation control's background";

  MoveToMonitor(96);
  const Seen back = watch();
  EXPECT_EQ(testing::Describe(back.Drawn), testing::Describe(at96.Drawn));
  EXPECT_EQ(back.Colours.size(), 3u);
}

}  // namespace
}  // namespace corvela
