#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "player/ObjectLayout.h"
#include "project/Resources.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

// Every shown character 6 px wide, lines Size + 5 px high (13 px for 8 point); "&" marks as
// drawn; word wrap breaks at blanks only.
class FakeMeasurer : public TextMeasurer {
 public:
  struct Call {
    std::string Text;
    int32_t MaxWidth;
    bool WordWrap;
  };
  std::vector<Call> Calls;

  TextExtent Measure(const std::string& text, const FontRecord& font, int32_t maxWidth, bool wordWrap) override {
    Calls.push_back({text, maxWidth, wordWrap});
    const std::string shown = ParseAccelerators(text).Text;
    const int32_t line = font.Size + 5;
    if (!wordWrap) return {static_cast<int32_t>(shown.size()) * 6, line};
    std::istringstream words(shown);
    std::string word;
    int32_t width = 0, current = -1, lines = 0;
    while (words >> word) {
      const int32_t w = static_cast<int32_t>(word.size()) * 6;
      if (current >= 0 && current + 6 + w <= maxWidth) {
        current += 6 + w;
      } else {
        current = w;
        ++lines;
      }
      width = std::max(width, current);
    }
    return {width, std::max(lines, 1) * line};
  }
};

TEST(Accelerators, MarksAreDroppedAndTheMarkedCharacterUnderlined) {
  struct Case {
    const char* caption;
    const char* shown;
    int underline;
  } cases[] = {
      {"Save && Exit", "Save & Exit", -1},
      {"&Help", "Help", 0},
      {"E&xit", "Exit", 1},
      {"a&&&b", "a&b", 2},   // a doubled mark, then a real one
      {"&a&b", "ab", 0},     // only the first mark underlines
      {"End&", "End&", -1},  // nothing follows the mark: drawn as it is
      {"&", "&", -1},
      {"", "", -1},
  };
  for (const Case& c : cases) {
    const AcceleratedText t = ParseAccelerators(c.caption);
    EXPECT_EQ(t.Text, c.shown) << c.caption;
    EXPECT_EQ(t.Underline, c.underline) << c.caption;
  }
}

LabelControl Label(const std::string& caption, uint8_t layout, int32_t w, int32_t h) {
  LabelControl l;
  l.Caption = caption;
  l.Layout = layout;
  l.Width = w;
  l.Height = h;
  return l;
}

TEST(LabelLayout, LayoutMovesTheTextRectangleByTheMeasuredHeight) {
  struct Case {
    const char* why;
    LabelControl label;
    bool wordWrap;
    Rect expected;
  } cases[] = {
      {"top draws in the whole label", Label("Start", 0, 80, 40), false, {0, 0, 80, 40}},
      {"centre: (40 - 13) div 2", Label("Start", 1, 80, 40), false, {0, 13, 80, 53}},
      {"bottom: one 13 px line in 40 px lands 27 px down", Label("Start", 2, 80, 40), false, {0, 27, 80, 67}},
      {"an empty caption measures as one blank line", Label("", 2, 80, 40), false, {0, 27, 80, 67}},
      {"\"&\" alone measures as one blank line", Label("&", 1, 80, 40), false, {0, 13, 80, 53}},
      {"an unknown layout value centres", Label("Start", 9, 80, 40), false, {0, 13, 80, 53}},
      // Three wrapped lines (39 px) in 17 px: the text moves up and is cut at both edges.
      {"text taller than the label moves up", Label("one two three", 2, 30, 17), true, {0, -22, 30, -5}},
      {"centre truncates toward zero", Label("one two three", 1, 30, 17), true, {0, -11, 30, 6}},
  };
  for (Case& c : cases) {
    c.label.WordWrap = c.wordWrap;
    FakeMeasurer m;
    const LabelLayout layout = LayoutLabel(c.label, m);
    EXPECT_EQ(layout.Text, c.expected) << c.why;
    if (c.label.Layout != 0) {
      ASSERT_EQ(m.Calls.size(), 1u) << c.why;
      EXPECT_EQ(m.Calls[0].MaxWidth, c.label.Width) << c.why;
      EXPECT_EQ(m.Calls[0].WordWrap, c.wordWrap) << c.why;
    } else {
      EXPECT_TRUE(m.Calls.empty()) << "top needs no measuring";
    }
  }
}

TEST(LabelAutoSize, TakesTheMeasuredSizeAndARightAlignedLabelKeepsItsRightEdge) {
  struct Case {
    const char* why;
    const char* caption;
    uint8_t alignment;
    bool wordWrap;
    int32_t left, width, height;
  } cases[] = {
      {"left aligned keeps its left", "Install", 0, false, 100, 42, 13},
      {"centred keeps its left", "Install", 2, false, 100, 42, 13},
      {"right aligned keeps its right edge (100 + 65)", "Install", 1, false, 123, 42, 13},
      {"an empty caption is one blank wide", "", 0, false, 100, 6, 13},
      {"&& counts as one character", "A && B", 0, false, 100, 30, 13},
      // Wrapping happens inside the current width of 65: "Install the" (66) breaks.
      {"word wrap measures inside the current width", "Install the demo", 0, true, 100, 48, 26},
  };
  for (const Case& c : cases) {
    LabelControl label = Label(c.caption, 0, 65, 17);
    label.Left = 100;
    label.Top = 7;
    label.Alignment = c.alignment;
    label.WordWrap = c.wordWrap;
    FakeMeasurer m;
    EXPECT_TRUE(AutoSizeLabel(label, m)) << c.why;
    EXPECT_EQ(label.Left, c.left) << c.why;
    EXPECT_EQ(label.Top, 7) << c.why;
    EXPECT_EQ(label.Width, c.width) << c.why;
    EXPECT_EQ(label.Height, c.height) << c.why;
    EXPECT_FALSE(AutoSizeLabel(label, m)) << c.why << ": sizing again changes nothing";
  }
  // Off, the bounds stay and nothing is measured.
  LabelControl label = Label("A long caption here", 0, 65, 17);
  label.AutoSize = false;
  FakeMeasurer m;
  EXPECT_FALSE(AutoSizeLabel(label, m));
  EXPECT_EQ(label.Width, 65);
  EXPECT_EQ(label.Height, 17);
  EXPECT_TRUE(m.Calls.empty());
}

TEST(ButtonPlacementArithmetic, MarginAndSpacingRules) {
  // Client 60 x 40 (60 x 60 for the vertical layouts), glyph 16 x 16, caption 30 x 13 unless said.
  struct Case {
    const char* why;
    uint8_t layout;
    int32_t cw, ch, gw, gh, tw, th, margin, spacing;
    Point glyph, caption;
  } cases[] = {
      {"left, -1/4: block centred", 0, 60, 40, 16, 16, 30, 13, -1, 4, {5, 12}, {25, 14}},
      {"left, -1/-1: three equal gaps", 0, 60, 40, 16, 16, 30, 13, -1, -1, {4, 12}, {24, 14}},
      {"left, 5/-1: spacing from the rest", 0, 60, 40, 16, 16, 30, 13, 5, -1, {5, 12}, {25, 14}},
      {"left, 0/0", 0, 60, 40, 16, 16, 30, 13, 0, 0, {0, 12}, {16, 14}},
      {"left, 5/4 used as they are", 0, 60, 40, 16, 16, 30, 13, 5, 4, {5, 12}, {25, 14}},
      {"right, -1/4", 1, 60, 40, 16, 16, 30, 13, -1, 4, {39, 12}, {5, 14}},
      {"right, 5/-1", 1, 60, 40, 16, 16, 30, 13, 5, -1, {39, 12}, {5, 14}},
      {"right, 0/0", 1, 60, 40, 16, 16, 30, 13, 0, 0, {44, 12}, {14, 14}},
      {"top, -1/4", 2, 60, 60, 16, 16, 30, 13, -1, 4, {22, 14}, {15, 34}},
      {"top, -1/-1", 2, 60, 60, 16, 16, 30, 13, -1, -1, {22, 10}, {15, 36}},
      {"top, 5/0", 2, 60, 60, 16, 16, 30, 13, 5, 0, {22, 5}, {15, 21}},
      {"bottom, -1/4", 3, 60, 60, 16, 16, 30, 13, -1, 4, {22, 30}, {15, 13}},
      {"bottom, 5/-1", 3, 60, 60, 16, 16, 30, 13, 5, -1, {22, 39}, {15, 13}},
      {"bottom, 0/4", 3, 60, 60, 16, 16, 30, 13, 0, 4, {22, 44}, {15, 27}},
      // The spacing counts as 0, not -1 or 4, when one part is missing.
      {"glyph only, -1/4: glyph centred", 0, 80, 40, 32, 32, 0, 0, -1, 4, {24, 4}, {56, 20}},
      {"caption only, -1/4", 0, 60, 40, 0, 0, 30, 13, -1, 4, {15, 20}, {15, 14}},
      {"caption only, -1/-1 is no longer the three-gap case", 0, 60, 40, 0, 0, 30, 13, -1, -1, {15, 20}, {15, 14}},
      {"glyph only on top: GW decides in y as well", 2, 60, 60, 16, 16, 0, 0, -1, 4, {22, 22}, {30, 38}},
      // Negative quotients truncate toward zero, not down.
      {"glyph larger than the client", 0, 20, 10, 32, 32, 0, 0, -1, 4, {-5, -10}, {27, 5}},
      {"-1/-1 with too little room", 0, 20, 40, 16, 16, 30, 13, -1, -1, {-8, 12}, {0, 14}},
      {"an unknown layout value is glyph left", 9, 60, 40, 16, 16, 30, 13, -1, 4, {5, 12}, {25, 14}},
  };
  for (const Case& c : cases) {
    const GlyphPlacement p = PlaceGlyphAndCaption(c.layout, c.cw, c.ch, c.gw, c.gh, c.tw, c.th, c.margin, c.spacing);
    EXPECT_EQ(p.Glyph.X, c.glyph.X) << c.why;
    EXPECT_EQ(p.Glyph.Y, c.glyph.Y) << c.why;
    EXPECT_EQ(p.Caption.X, c.caption.X) << c.why;
    EXPECT_EQ(p.Caption.Y, c.caption.Y) << c.why;
  }
}

ButtonControl Button(bool flat, bool transparent) {
  ButtonControl b;
  b.Width = 60;
  b.Height = 50;
  b.Flat = flat;
  b.Transparent = transparent;
  return b;
}

TEST(ButtonLayoutTest, FrameByFlatTransparentAndState) {
  struct Case {
    const char* why;
    bool flat, transparent, down, inside;
    ButtonFrame frame;
    bool fillEdge;
    Rect interior;
  } cases[] = {
      {"framed up", false, true, false, false, ButtonFrame::Push, false, {2, 2, 58, 48}},
      {"framed, mouse inside changes nothing", false, false, false, true, ButtonFrame::Push, false, {2, 2, 58, 48}},
      {"framed down", false, true, true, true, ButtonFrame::PushPressed, false, {2, 2, 58, 48}},
      {"flat transparent, mouse elsewhere", true, true, false, false, ButtonFrame::None, false, {1, 1, 59, 49}},
      {"flat opaque, mouse elsewhere: Color", true, false, false, false, ButtonFrame::Fill, false, {1, 1, 59, 49}},
      {"flat opaque, mouse inside: face inside a raised edge",
       true,
       false,
       false,
       true,
       ButtonFrame::RaisedEdge,
       true,
       {1, 1, 59, 49}},
      {"flat transparent, mouse inside", true, true, false, true, ButtonFrame::RaisedEdge, false, {1, 1, 59, 49}},
      {"flat down", true, false, true, true, ButtonFrame::SunkenEdge, true, {1, 1, 59, 49}},
  };
  for (const Case& c : cases) {
    FakeMeasurer m;
    const ButtonPlacement b = LayoutButton(Button(c.flat, c.transparent), c.down, c.inside, 0, 0, m);
    EXPECT_EQ(b.Frame, c.frame) << c.why;
    EXPECT_EQ(b.FillEdge, c.fillEdge) << c.why;
    EXPECT_EQ(b.Interior, c.interior) << c.why;
  }
}

TEST(ButtonLayoutTest, FramedGlyphWithoutCaptionIsCentredInTheFrameInterior) {
  FakeMeasurer m;
  const ButtonPlacement b = LayoutButton(Button(false, true), false, false, 32, 32, m);
  // Interior 56 x 46 from (2, 2): (56 - 32 + 1) div 2 = 12, (46 - 32 + 1) div 2 = 7.
  EXPECT_EQ(b.Glyph, (Rect{14, 9, 46, 41}));
  EXPECT_EQ(b.Caption.Width(), 0);
  EXPECT_TRUE(m.Calls.empty()) << "an empty caption is not measured";
}

TEST(ButtonLayoutTest, CaptionIsMeasuredUnwrappedInTheInteriorWidthAndPressingShiftsBothParts) {
  for (bool flat : {false, true}) {
    ButtonControl button = Button(flat, false);
    button.Caption = "&Install";
    FakeMeasurer m;
    const ButtonPlacement up = LayoutButton(button, false, true, 16, 16, m);
    const ButtonPlacement down = LayoutButton(button, true, true, 16, 16, m);
    ASSERT_EQ(m.Calls.size(), 2u);
    EXPECT_EQ(m.Calls[0].Text, "&Install");
    EXPECT_EQ(m.Calls[0].MaxWidth, flat ? 58 : 56);
    EXPECT_FALSE(m.Calls[0].WordWrap);
    EXPECT_EQ(up.Caption.Width(), 42);
    EXPECT_EQ(up.Caption.Height(), 13);
    EXPECT_EQ(down.Glyph, (Rect{up.Glyph.Left + 1, up.Glyph.Top + 1, up.Glyph.Right + 1, up.Glyph.Bottom + 1}));
    EXPECT_EQ(down.Caption,
              (Rect{up.Caption.Left + 1, up.Caption.Top + 1, up.Caption.Right + 1, up.Caption.Bottom + 1}));
  }
}

// The platform's frames are one pixel per ring at any resolution; the menu's grow with it, and so
// does the pressed offset, so glyph and caption keep their place against the frame.
TEST(ButtonLayoutTest, FrameWidthAndPressedOffsetScaleWithTheResolution) {
  struct Case {
    bool flat;
    int32_t dpi, frame, offset;
  } cases[] = {{false, 96, 2, 1}, {true, 96, 1, 1}, {false, 192, 4, 2}, {true, 192, 2, 2}, {false, 144, 3, 2},
               {true, 120, 1, 1}};
  for (const Case& c : cases) {
    FakeMeasurer m;
    const ButtonControl button = Button(c.flat, false);
    const ButtonPlacement up = LayoutButton(button, false, true, 16, 16, m, DpiScale(c.dpi));
    const ButtonPlacement down = LayoutButton(button, true, true, 16, 16, m, DpiScale(c.dpi));
    const std::string what = std::string(c.flat ? "flat" : "framed") + " at " + std::to_string(c.dpi);
    EXPECT_EQ(up.FrameWidth, c.frame) << what;
    EXPECT_EQ(up.Interior, (Rect{c.frame, c.frame, 60 - c.frame, 50 - c.frame})) << what;
    EXPECT_EQ(down.Glyph.Left - up.Glyph.Left, c.offset) << what;
    EXPECT_EQ(down.Glyph.Top - up.Glyph.Top, c.offset) << what;
  }
}

TEST(ImageLayout, DestinationByStretchAndCenter) {
  struct Case {
    const char* why;
    bool stretch, center;
    int32_t pw, ph;
    Rect dest;
  } cases[] = {
      {"natural size at the top left", false, false, 50, 30, {0, 0, 50, 30}},
      {"stretched to the control", true, false, 50, 30, {0, 0, 105, 105}},
      {"centred", false, true, 50, 30, {27, 37, 77, 67}},
      {"stretched and centred is just stretched", true, true, 50, 30, {0, 0, 105, 105}},
      {"a larger picture centred shows its middle", false, true, 200, 150, {-47, -22, 153, 128}},
      {"a larger picture not centred is cut at the right and bottom", false, false, 200, 150, {0, 0, 200, 150}},
  };
  for (const Case& c : cases) {
    ImageControl image;
    image.Stretch = c.stretch;
    image.Center = c.center;
    EXPECT_EQ(ImageDestination(image, c.pw, c.ph), c.dest) << c.why;
  }
}

TEST(ImageLayout, AutoSizeFollowsThePictureShownAndKeepsTheTopLeft) {
  MenuObject obj(ObjectKind::Image);
  ImageControl& image = *obj.AsImage();
  image.Left = 10;
  image.Top = 20;
  image.AutoSize = true;
  testing::FakeGraphic normal("", nullptr, 40, 30), hot("", nullptr, 120, 90), empty("", nullptr, 0, 0);
  obj.Shown = &normal;
  EXPECT_TRUE(ApplyAutoSize(obj, nullptr));
  EXPECT_EQ(image.Width, 40);
  // The hot picture is larger: the image grows while hot and shrinks back afterwards.
  obj.Shown = &hot;
  EXPECT_TRUE(ApplyAutoSize(obj, nullptr));
  EXPECT_EQ(image.Width, 120);
  EXPECT_EQ(image.Height, 90);
  obj.Shown = &normal;
  EXPECT_TRUE(ApplyAutoSize(obj, nullptr));
  EXPECT_EQ(image.Width, 40);
  EXPECT_EQ(image.Height, 30);
  EXPECT_EQ(image.Left, 10);
  EXPECT_EQ(image.Top, 20);
  // A picture without area, no picture, or AutoSize off: the size stays.
  obj.Shown = &empty;
  EXPECT_FALSE(ApplyAutoSize(obj, nullptr));
  obj.Shown = nullptr;
  EXPECT_FALSE(ApplyAutoSize(obj, nullptr));
  image.AutoSize = false;
  obj.Shown = &hot;
  EXPECT_FALSE(ApplyAutoSize(obj, nullptr));
  EXPECT_EQ(image.Width, 40);
}

TEST(ImageLayout, ApplyingResourcesFitsAutoSizeLabelsAndImages) {
  testing::FakeWorld world;
  FakeMeasurer m;
  world.Env.Text = &m;
  world.State.CDFolder = "C:\\cd";
  world.Files.Files["C:\\cd\\pic.bmp"] = "BM";
  auto image = std::make_unique<MenuObject>(ObjectKind::Image);
  image->FileName = "\\pic.bmp";
  image->AsImage()->AutoSize = true;
  auto label = std::make_unique<MenuObject>(ObjectKind::Label);
  label->AsLabel()->Caption = "Menu";
  ApplyObjectResources(world.State, *image);
  ApplyObjectResources(world.State, *label);
  EXPECT_EQ(image->AsImage()->Width, 32) << "the fake picture is 32 x 32";
  EXPECT_EQ(image->AsImage()->Height, 32);
  EXPECT_EQ(label->AsLabel()->Width, 24);
  EXPECT_EQ(label->AsLabel()->Height, 13);
}

}  // namespace
}  // namespace corvela
