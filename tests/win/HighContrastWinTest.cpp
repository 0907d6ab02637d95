// The player under a high-contrast theme, against real GDI: the theme's system colours, set with
// SetSysColors, take the place of the designed text colours and gradient; pictures stay, and so
// does a shaped window's key colour. Wine never reports such a theme: the test says there is one.
#include <gtest/gtest.h>

#include "platform/win/Win32Colours.h"
#include "support/win/MenuWindowFixture.h"
#include "support/win/Pixels.h"
#include "support/win/TestFiles.h"

namespace corvela {
namespace {

using testing::Capture;
using testing::PrintClient;

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kYellow = RGB(255, 255, 0),
                   kCyan = RGB(0, 255, 255), kGreen = RGB(0, 255, 0), kMagenta = RGB(255, 0, 255);

// Whether Windows runs a high-contrast theme, as the test decides.
class ThemeSwitch : public win::Win32SystemColours {
 public:
  bool On = true;
  bool HighContrast() override { return On; }
};

// A black high-contrast scheme's window, text, link and highlight colours, for the test's length.
class ThemeColours {
 public:
  ThemeColours() {
    for (int i = 0; i < 4; ++i) saved_[i] = ::GetSysColor(kIds[i]);
    const COLORREF theme[4] = {kBlack, kWhite, kYellow, kCyan};
    ::SetSysColors(4, kIds, theme);
  }
  ~ThemeColours() { ::SetSysColors(4, kIds, saved_); }

 private:
  static constexpr INT kIds[4] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HOTLIGHT, COLOR_HIGHLIGHT};
  COLORREF saved_[4]{};
};

class HighContrast : public testing::MenuWindowTest {
 protected:
  void SetUp() override {
    MenuWindowTest::SetUp();
    state.DesignerMode = false;
    env.Colours = &theme;
    // A red to blue gradient the theme replaces, a linked and a plain caption, and a picture.
    state.Project.BackColor = RGB(255, 0, 0);
    state.Project.GradientColor = RGB(0, 0, 255);
    state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::TopBottom);
    for (int i = 0; i < 2; ++i) {
      MenuObject& label = Add(ObjectKind::Label, 10, 10 + 40 * i, 120, 30);
      label.AsLabel()->Caption = i == 0 ? "Linked" : "Plain";
      label.AsLabel()->Transparent = true;
      label.AsLabel()->Font.Name = "Arial";
      label.AsLabel()->Font.Size = 16;
      label.AsLabel()->Font.Color = RGB(0, 0, 128);
      label.HotTrackFont = label.AsLabel()->Font;
      if (i == 0) label.Link.Action = LinkAction::ExitAutoRun;
    }
    MenuObject& image = Add(ObjectKind::Image, 160, 10, 60, 60);
    image.AsImage()->Stretch = true;
    image.FileName = File("green.bmp", testing::Bmp24(8, 8, [](int, int) { return kGreen; }));
  }

  ThemeSwitch theme;
};

TEST_F(HighContrast, TextAndBackgroundTakeTheThemesColoursAndPicturesStay) {
  ThemeColours colours;
  Show();
  const Capture c = PrintClient(form.InnerPanel());
  const RECT linked{10, 10, 130, 40}, plain{10, 50, 130, 80};
  EXPECT_EQ(c.At(250, 150), kBlack) << "no gradient";
  EXPECT_EQ(c.Count(c.All(), [](COLORREF p) { return GetRValue(p) > 200 && GetGValue(p) < 60; }), 0);
  EXPECT_GT(c.Count(linked, testing::Is(kYellow)), 20) << "a link in the theme's link colour";
  EXPECT_EQ(c.Count(linked, testing::Is(kWhite)), 0);
  EXPECT_GT(c.Count(plain, testing::Is(kWhite)), 20) << "text in the theme's text colour";
  EXPECT_EQ(c.At(190, 40), kGreen) << "the picture stays";
  c.Shot("high-contrast-menu");
  // The hot object, under the mouse or the keyboard's focus, in the highlight colour.
  ::SendMessageW(form.InnerPanel(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_GT(PrintClient(form.InnerPanel()).Count(linked, testing::Is(kCyan)), 20);
}

TEST_F(HighContrast, TheThemeComingIsDrawnAtOnceAndAShapedWindowKeepsItsKey) {
  ThemeColours colours;
  theme.On = false;
  state.Project.BackColor = kMagenta;
  state.Project.GradientStyle = static_cast<uint8_t>(GradientStyle::None);
  state.Project.Form.TransparentColor = true;
  state.Project.Form.TransparentColorValue = kMagenta;
  Show();
  // The plain label is opaque in the key colour: the hole it makes stays too.
  state.Project.Objects[1]->AsLabel()->Transparent = false;
  state.Project.Objects[1]->AsLabel()->Color = kMagenta;
  theme.On = true;
  ::SendMessageW(form.hwnd(), WM_SYSCOLORCHANGE, 0, 0);
  pump.For(100);
  // On the screen at once, not at the next paint something else asks for.
  POINT origin{0, 0};
  ::ClientToScreen(form.InnerPanel(), &origin);
  const Capture screen = testing::ReadScreen({origin.x + 10, origin.y + 10, origin.x + 130, origin.y + 40});
  EXPECT_GT(screen.Count(screen.All(), testing::Is(kYellow)), 20);
  const Capture c = PrintClient(form.InnerPanel());
  EXPECT_EQ(c.At(250, 150), kMagenta) << "the key colour, which shapes the window";
  EXPECT_EQ(c.At(125, 55), kMagenta);
  EXPECT_GT(c.Count({10, 50, 130, 80}, testing::Is(kWhite)), 20);
  EXPECT_GT(c.Count({10, 10, 130, 40}, testing::Is(kYellow)), 20);
}

TEST_F(HighContrast, ARichTextPaneTakesTheThemesColoursAndGetsItsOwnBack) {
  ThemeColours colours;
  MenuObject& pane = Add(ObjectKind::Rtf, 130, 80, 160, 100);
  pane.FileName = File("red.rtf", "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1\\fs48 Red red red}");
  Show();
  HWND edit = PaneOf(pane);
  ASSERT_TRUE(edit);
  auto count = [&](COLORREF colour) {
    RECT at;
    ::GetWindowRect(edit, &at);
    const Capture shot = testing::ReadScreen(at);
    return shot.Count(shot.All(), testing::Is(colour));
  };
  EXPECT_GT(count(kWhite), 20) << "the document's red in the theme's text colour";
  EXPECT_EQ(count(RGB(255, 0, 0)), 0);
  theme.On = false;
  ::SendMessageW(form.hwnd(), WM_SYSCOLORCHANGE, 0, 0);
  pump.For(100);
  EXPECT_GT(count(RGB(255, 0, 0)), 20);
}

}  // namespace
}  // namespace corvela
