#include <gtest/gtest.h>

#include "platform/DpiScale.h"
#include "player/DpiLayout.h"

namespace corvela {
namespace {

constexpr int32_t kDpis[] = {96, 120, 144, 192};

TEST(DpiScale, EdgesLengthsAndFontHeightsAtEachResolution) {
  struct Case {
    int32_t dpi;
    int32_t edge10, edgeMinus3, length1, length2, font8, font12, cell10;
  } cases[] = {
      // 12.5 and -3.75 round away from zero; one design pixel never vanishes.
      {96, 10, -3, 1, 2, -11, -16, 13},
      {120, 13, -4, 1, 3, -13, -20, 17},
      {144, 15, -5, 2, 3, -16, -24, 20},
      {192, 20, -6, 2, 4, -21, -32, 27},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    const DpiScale s(c.dpi);
    EXPECT_EQ(s.Edge(10), c.edge10);
    EXPECT_EQ(s.Edge(-3), c.edgeMinus3);
    EXPECT_EQ(s.Length(1), c.length1);
    EXPECT_EQ(s.Length(2), c.length2);
    EXPECT_EQ(s.Length(0), 0);
    EXPECT_EQ(FontPixelHeight(8, c.dpi), c.font8);
    EXPECT_EQ(FontPixelHeight(12, c.dpi), c.font12);
    EXPECT_EQ(FontPixelHeight(-10, c.dpi), c.cell10) << "a negative size is a cell height";
  }
  EXPECT_EQ(DpiScale(0).Dpi(), 96) << "an unknown resolution is the design one";
}

// Scaling Left and Width each on its own would make neighbours overlap or gap by a pixel at 120
// and 144 dpi; edges scaled one by one keep them touching.
TEST(DpiScale, NeighboursNeitherOverlapNorGapAndHitTestsAgreeWithWhatIsDrawn) {
  for (int32_t dpi : kDpis) {
    SCOPED_TRACE(dpi);
    const DpiScale s(dpi);
    for (int32_t left = -5; left < 60; ++left)
      for (int32_t width = 1; width < 12; ++width) {
        const Rect a = s.Bounds({left, 0, left + width, 1}), b = s.Bounds({left + width, 0, left + width + 3, 1});
        ASSERT_EQ(a.Right, b.Left) << left << "+" << width;
        ASSERT_GE(a.Width(), width * dpi / 96) << left << "+" << width;
      }
    // Each device pixel maps back into the design rectangle whose scaled bounds hold it.
    const Rect design{7, 3, 11, 9};
    const Rect device = s.Bounds(design);
    for (int32_t x = device.Left - 4; x < device.Right + 4; ++x) {
      const bool drawnInside = x >= device.Left && x < device.Right;
      const int32_t back = s.ToDesign(x);
      EXPECT_EQ(drawnInside, back >= design.Left && back < design.Right) << x;
    }
  }
}

TEST(DpiLayout, ControlsMarginsSpacingPanelAndWindowScaleAndStayPutAt96) {
  ButtonControl button;
  button.Left = 20;
  button.Top = 104;
  button.Width = 210;
  button.Height = 44;
  button.Margin = 10;
  button.Spacing = -1;
  const ButtonControl at120 = ScaledControl(button, DpiScale(120));
  EXPECT_EQ(at120.Left, 25);
  EXPECT_EQ(at120.Top, 130);
  EXPECT_EQ(at120.Width, 288 - 25);  // the right edge 230 becomes 287.5, rounded to 288
  EXPECT_EQ(at120.Height, 185 - 130);
  EXPECT_EQ(at120.Margin, 13);
  EXPECT_EQ(at120.Spacing, -1) << "a computed spacing stays computed";
  button.Spacing = 4;
  EXPECT_EQ(ScaledControl(button, DpiScale(192)).Spacing, 8);

  PanelSettings panel;
  panel.BevelWidth = 1;
  panel.BorderWidth = 3;
  const PanelSettings p144 = ScaledPanel(panel, DpiScale(144));
  EXPECT_EQ(p144.BevelWidth, 2);
  EXPECT_EQ(p144.BorderWidth, 5);

  FormSettings form;
  form.Left = 320;
  form.Top = 272;
  form.Width = 640;
  form.Height = 480;
  const Rect same = ScaledWindow(form, DpiScale(96), 1280, 1024);
  EXPECT_EQ(same, (Rect{320, 272, 960, 752})) << "at 96 dpi the stored position, even centred";
  EXPECT_EQ(ScaledWindow(form, DpiScale(192), 1600, 1200), (Rect{160, 120, 1440, 1080})) << "centred again";
  form.Position = static_cast<uint8_t>(FormPosition::Designed);
  EXPECT_EQ(ScaledWindow(form, DpiScale(120), 1600, 1200), (Rect{400, 340, 1200, 940}));
}

}  // namespace
}  // namespace corvela
