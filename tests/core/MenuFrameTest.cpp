#include <gtest/gtest.h>

#include <climits>

#include "player/MenuFrame.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

struct FrameCase {
  const char* Name;
  uint8_t Style;
  uint8_t Icons;
  uint8_t State;
  WindowFrame Expected;
};

WindowFrame Frame(std::initializer_list<bool WindowFrame::*> on, uint8_t state = 0) {
  WindowFrame f;
  for (auto member : on) f.*member = true;
  f.State = state;
  return f;
}

using F = WindowFrame;
const uint8_t kAllIcons = biSystemMenu | biMinimize | biMaximize | biHelp;

class FrameRules : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameRules, StyleIconsAndState) {
  const FrameCase& c = GetParam();
  FormSettings form;
  form.BorderStyle = c.Style;
  form.BorderIcons = c.Icons;
  form.WindowState = c.State;
  EXPECT_EQ(FrameFor(form), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    All, FrameRules,
    ::testing::Values(
        // A borderless window keeps its system menu for the taskbar but never shows boxes or help.
        FrameCase{"NoneKeepsOnlySystemMenu", 0, kAllIcons, 2, Frame({&F::Popup, &F::SystemMenu}, 2)},
        FrameCase{"NoneWithoutIcons", 0, 0, 0, Frame({&F::Popup})},
        FrameCase{"SingleAllIconsHidesHelp", 1, kAllIcons, 1,
                  Frame({&F::Caption, &F::SystemMenu, &F::MinimizeBox, &F::MaximizeBox}, 1)},
        FrameCase{"SingleHelpWithoutBoxes", 1, biSystemMenu | biHelp, 0,
                  Frame({&F::Caption, &F::SystemMenu, &F::ContextHelp})},
        FrameCase{"SizeableMaxOnly", 2, biSystemMenu | biMaximize | biHelp, 2,
                  Frame({&F::Caption, &F::ThickFrame, &F::SystemMenu, &F::MaximizeBox}, 2)},
        // A dialog frame drops the boxes, keeps help and always opens normal.
        FrameCase{"DialogDropsBoxesKeepsHelp", 3, kAllIcons, 2,
                  Frame({&F::Popup, &F::Caption, &F::DialogFrame, &F::SystemMenu, &F::ContextHelp})},
        FrameCase{"ToolWindowHasNoBoxes", 4, biSystemMenu | biMinimize, 1,
                  Frame({&F::Caption, &F::ToolWindow, &F::SystemMenu})},
        FrameCase{"SizeToolWin", 5, biSystemMenu, 0,
                  Frame({&F::Caption, &F::ThickFrame, &F::ToolWindow, &F::SystemMenu})},
        // Values a damaged file may carry.
        FrameCase{"UnknownStyleIsNone", 9, biSystemMenu, 0, Frame({&F::Popup, &F::SystemMenu})},
        FrameCase{"UnknownStateIsNormal", 2, biSystemMenu, 7, Frame({&F::Caption, &F::ThickFrame, &F::SystemMenu})}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.Name); });

PanelSettings Panel(uint8_t border, uint8_t inner, uint8_t outer, int32_t bevelWidth, int32_t borderWidth) {
  PanelSettings p;
  p.BorderStyle = border;
  p.BevelInner = inner;
  p.BevelOuter = outer;
  p.BevelWidth = bevelWidth;
  p.BorderWidth = borderWidth;
  return p;
}

TEST(MenuPanels, PlainPanelsFillTheClientArea) {
  MenuPanelLayout l = LayoutMenuPanels(640, 480, 0, PanelSettings{});
  EXPECT_EQ(l.Panel, (Rect{0, 0, 640, 480}));
  EXPECT_TRUE(l.Bands.empty());
  EXPECT_EQ(l.Inner, (Rect{0, 0, 640, 480}));
}

TEST(MenuPanels, BandsNestInTheirOrder) {
  // Window margin 5, single border 2, raised outer bevel 3, border width 4, lowered inner bevel 3.
  MenuPanelLayout l = LayoutMenuPanels(200, 100, 5, Panel(1, 1, 2, 3, 4));
  EXPECT_EQ(l.Panel, (Rect{5, 5, 195, 95}));
  ASSERT_EQ(l.Bands.size(), 4u);
  EXPECT_EQ(l.Bands[0].Look, BandLook::SunkenBorder);
  EXPECT_EQ(l.Bands[0].Outer, (Rect{0, 0, 190, 90}));
  EXPECT_EQ(l.Bands[0].Width, 2);
  EXPECT_EQ(l.Bands[1].Look, BandLook::Raised);
  EXPECT_EQ(l.Bands[1].Outer, (Rect{2, 2, 188, 88}));
  EXPECT_EQ(l.Bands[2].Look, BandLook::Space);
  EXPECT_EQ(l.Bands[2].Outer, (Rect{5, 5, 185, 85}));
  EXPECT_EQ(l.Bands[2].Width, 4);
  EXPECT_EQ(l.Bands[3].Look, BandLook::Lowered);
  EXPECT_EQ(l.Bands[3].Outer, (Rect{9, 9, 181, 81}));
  EXPECT_EQ(l.Inner, (Rect{12, 12, 178, 78}));
}

TEST(MenuPanels, SpaceBevelTakesRoomButAZeroBevelWidthTakesNone) {
  MenuPanelLayout space = LayoutMenuPanels(100, 100, 0, Panel(0, 3, 0, 6, 0));
  ASSERT_EQ(space.Bands.size(), 1u);
  EXPECT_EQ(space.Bands[0].Look, BandLook::Space);
  EXPECT_EQ(space.Inner, (Rect{6, 6, 94, 94}));
  MenuPanelLayout zero = LayoutMenuPanels(100, 100, 0, Panel(0, 1, 2, 0, 0));
  EXPECT_TRUE(zero.Bands.empty());
  EXPECT_EQ(zero.Inner, (Rect{0, 0, 100, 100}));
}

// Widths come in design pixels and are scaled one by one, the single border with them, so the
// inner panel sits where the bands drawn around it end.
TEST(MenuPanels, AtAHigherResolutionEveryWidthScales) {
  MenuPanelLayout l = LayoutMenuPanels(400, 200, 5, Panel(1, 1, 2, 3, 4), DpiScale(192));
  EXPECT_EQ(l.Panel, (Rect{10, 10, 390, 190}));
  ASSERT_EQ(l.Bands.size(), 4u);
  const int32_t widths[] = {4, 6, 8, 6};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(l.Bands[i].Width, widths[i]) << i;
  EXPECT_EQ(l.Bands[3].Outer, (Rect{18, 18, 362, 162}));
  EXPECT_EQ(l.Inner, (Rect{24, 24, 356, 156}));
  EXPECT_EQ(LayoutMenuPanels(100, 100, 0, Panel(1, 0, 0, 0, 0), DpiScale(144)).Inner, (Rect{3, 3, 97, 97}));
}

TEST(MenuPanels, ClientSizeForInnerIsTheLayoutTurnedRound) {
  for (const PanelSettings& panel : {PanelSettings{}, Panel(1, 1, 2, 3, 4), Panel(0, 3, 0, 6, 0)}) {
    const Size client = ClientSizeForInner({300, 17}, 5, panel);
    const MenuPanelLayout l = LayoutMenuPanels(client.Width, client.Height, 5, panel);
    EXPECT_EQ(l.Inner.Width(), 300);
    EXPECT_EQ(l.Inner.Height(), 17);
  }
}

TEST(MenuPanels, HostileWidthsNeverInvertOrOverflow) {
  for (int32_t w : {-5, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(w);
    MenuPanelLayout l = LayoutMenuPanels(41, 30, w, Panel(1, 2, 1, w, w));
    for (const Rect& r : {l.Panel, l.Inner}) {
      EXPECT_GE(r.Width(), 0);
      EXPECT_GE(r.Height(), 0);
    }
    for (const PanelBand& b : l.Bands) {
      // Bands are drawn ring by ring: their width must stay within the rectangle.
      EXPECT_LE(b.Width, 21);
      EXPECT_GE(b.Outer.Width(), 0);
    }
  }
  MenuPanelLayout tiny = LayoutMenuPanels(0, 0, 3, Panel(1, 1, 1, 2, 2));
  EXPECT_TRUE(tiny.Bands.empty());
  EXPECT_EQ(tiny.Inner, (Rect{0, 0, 0, 0}));
}

// The design surface once keyed on the low bytes of a system colour (0x0F for clBtnFace) while
// the menu window keyed on the colour itself; both now take the key from here.
TEST(ColourKey, ASystemColourKeysOnItsCurrentValue) {
  testing::FakeSystemColours colours;
  colours.Values[15] = 0x00336699u;
  FormSettings form;
  form.TransparentColor = true;
  form.TransparentColorValue = kClBtnFace;
  const ColourKey key = ColourKeyFor(form, &colours);
  EXPECT_TRUE(key.On);
  EXPECT_EQ(key.Rgb, 0x00336699u);
  form.TransparentColorValue = 0x00FF00FFu;
  EXPECT_EQ(ColourKeyFor(form, &colours).Rgb, 0x00FF00FFu);
  form.TransparentColor = false;
  EXPECT_FALSE(ColourKeyFor(form, &colours).On);
}

}  // namespace
}  // namespace corvela
