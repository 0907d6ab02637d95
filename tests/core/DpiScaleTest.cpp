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
}

// A 120 x 90 clip in its 120 x 90 pane at 153 dpi: the pane's edges 472 and 592 land 192 pixels
// apart, the clip's length 191.25 rounds to 191, and a pixel of the pane's background showed.
TEST(DpiLayout, AClipAsLargeAsItsPaneFillsItAtAnyScaleAndASmallerOneIsScaled) {
  EXPECT_EQ(ClipLengthInPane(120, 192, DpiScale(153)), 192);
  EXPECT_EQ(ClipLengthInPane(120, 191, DpiScale(153)), 191);
  EXPECT_EQ(ClipLengthInPane(90, 143, DpiScale(153)), 143);
  EXPECT_EQ(ClipLengthInPane(120, 240, DpiScale(192)), 240);
  EXPECT_EQ(ClipLengthInPane(30, 200, DpiScale(192)), 60) << "a clip smaller than its pane keeps its scaled size";
  EXPECT_EQ(ClipLengthInPane(120, 194, DpiScale(153)), 191) << "two pixels apart is not rounding";
  EXPECT_EQ(ClipLengthInPane(0, 1, DpiScale(153)), 0);
}

// The loader centres the window at its design size and keeps Position as stored; a window drawn at
// another scale must be centred again at its own size, or a designed one lands off-centre (600 x
// 420 at 192 dpi on 3840 x 2160 came out at 3240,1740), and partly off the monitor.
TEST(DpiLayout, TheMenuWindowStaysPutAt96AndIsCentredInTheWorkAreaAtItsScaledSizeOtherwise) {
  for (FormPosition position : {FormPosition::ScreenCenter, FormPosition::Designed}) {
    SCOPED_TRACE(static_cast<int>(position));
    FormSettings form;
    form.Position = static_cast<uint8_t>(position);
    form.Left = 320;
    form.Top = 272;
    form.Width = 640;
    form.Height = 480;
    const MenuPlacement same = PlaceMenuWindow(form, 96, Rect{0, 0, 1280, 1024});
    EXPECT_EQ(same.Window, (Rect{320, 272, 960, 752})) << "at 96 dpi the stored position";
    EXPECT_TRUE(same.Scale.IsDesign());
    EXPECT_EQ(PlaceMenuWindow(form, 120, Rect{0, 0, 1280, 1024}).Window, (Rect{240, 212, 1040, 812}));

    form.Left = 960;
    form.Top = 540;
    form.Width = 600;
    form.Height = 420;
    // A taskbar along the bottom: the window is centred in what is left.
    const MenuPlacement at192 = PlaceMenuWindow(form, 192, Rect{0, 0, 3840, 2100});
    EXPECT_EQ(at192.Scale.Dpi(), 192);
    EXPECT_EQ(at192.Window, (Rect{1320, 630, 2520, 1470}));
    EXPECT_EQ(PlaceMenuWindow(form, 192, Rect{-1920, 40, 0, 1080}).Window, (Rect{-1560, 140, -360, 980}))
        << "a monitor left of the primary one, its taskbar at the top";
  }
}

// A menu that does not fit the monitor at its resolution would leave part of itself, or its
// caption, out of reach: the scale goes down just far enough, and never below one to one.
TEST(DpiLayout, AWindowTooLargeForTheWorkAreaIsDrawnAtTheHighestScaleThatFitsButNeverBelow96) {
  FormSettings form;
  form.Width = 600;
  form.Height = 420;
  const MenuPlacement lowered = PlaceMenuWindow(form, 192, Rect{0, 0, 1024, 768});
  EXPECT_EQ(lowered.Scale.Dpi(), 163) << "600 at 164 dpi would be 1025 pixels wide";
  EXPECT_EQ(lowered.Window, (Rect{2, 27, 1021, 740}));

  // Every size and room: the scale chosen fits, one more does not, and the bounds hold.
  for (int32_t monitor : {120, 144, 192, 288})
    for (int32_t length = 1; length < 900; length += 7)
      for (int32_t room : {0, 1, 200, 599, 600, 601, 1023, 1366}) {
        form.Width = length;
        form.Height = 10;
        const DpiScale s = PlaceMenuWindow(form, monitor, Rect{0, 0, room, 2000}).Scale;
        ASSERT_GE(s.Dpi(), 96);
        ASSERT_LE(s.Dpi(), monitor);
        if (s.Dpi() > 96) {
          ASSERT_LE(s.Length(length), room) << monitor << " " << length << " " << room;
        }
        if (s.Dpi() < monitor) {
          ASSERT_GT(DpiScale(s.Dpi() + 1).Length(length), room) << monitor << " " << length << " " << room;
        }
      }

  // Too large even at 96: the top-left corner, and with it the caption, stays in the work area.
  form.Width = 2000;
  form.Height = 1500;
  const MenuPlacement huge = PlaceMenuWindow(form, 192, Rect{0, 40, 1024, 768});
  EXPECT_TRUE(huge.Scale.IsDesign());
  EXPECT_EQ(huge.Window, (Rect{0, 40, 2000, 1540}));
  form.Width = INT32_MAX;
  form.Height = INT32_MIN;
  const MenuPlacement extreme = PlaceMenuWindow(form, 192, Rect{0, 0, 1024, 768});
  EXPECT_EQ(extreme.Window.Left, 0);
  EXPECT_EQ(extreme.Window.Right, INT32_MAX);
  EXPECT_LE(extreme.Window.Height(), 0);
}

// Left and Width from a file may each hold any 32-bit value: their sum, and the scaled edges, are
// taken in 64 bits, and the scaled Left + Width never passes what 32 bits hold.
TEST(DpiLayout, HugeBoundsFromAFileScaleWithoutOverflow) {
  ImageControl image;
  struct Case {
    int32_t left, width, dpi;
    Rect expected;
  } cases[] = {
      {INT32_MAX - 10, 100, 96, {INT32_MAX - 10, 0, INT32_MAX, 0}},
      {INT32_MAX - 10, 100, 144, {INT32_MAX, 0, INT32_MAX, 0}},
      {1000000000, 1500000000, 144, {1500000000, 0, INT32_MAX, 0}},
      {-2000000000, INT32_MAX, 192, {INT32_MIN, 0, 294967294, 0}},
      {INT32_MIN, -1, 96, {INT32_MIN, 0, INT32_MIN, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.left << " + " << c.width << " at " << c.dpi);
    image.Left = c.left;
    image.Width = c.width;
    image.Top = image.Height = 0;
    EXPECT_EQ(ScaledBounds(image, DpiScale(c.dpi)), c.expected);
    const ImageControl scaled = ScaledControl(image, DpiScale(c.dpi));
    EXPECT_EQ(scaled.Left, c.expected.Left);
    EXPECT_LE(int64_t{scaled.Left} + scaled.Width, INT32_MAX);
    EXPECT_GE(scaled.Width, 0);
  }
}

}  // namespace
}  // namespace corvela
