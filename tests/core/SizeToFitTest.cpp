#include <gtest/gtest.h>

#include "designer/SizeToFit.h"
#include "designer/Surface.h"
#include "player/ObjectLayout.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

// Seven pixels a character, a line the font's size and five.
class CharMeasurer : public TextMeasurer {
 public:
  TextExtent Measure(const std::string& text, const FontRecord& font, int32_t, bool) override {
    return {static_cast<int32_t>(ParseAccelerators(text).Text.size()) * 7, font.Size + 5};
  }
};

class StillHost : public SurfaceHost {
 public:
  Size InnerPanelSize() override { return {400, 300}; }
  void RepaintSurface() override {}
  void BandChanged(const Rect&, const Rect&) override {}
  void ControlCreated(MenuObject&) override {}
  void ControlBroughtToFront(MenuObject&) override {}
  void ControlSentToBack(MenuObject&) override {}
  Size GlyphSize(const MenuObject&) override { return {16, 12}; }
};

// The player's own layout of the fitted button leaves glyph and caption whole inside its frame,
// whichever side the glyph is on and whatever margin and spacing say.
TEST(SizeToFit, TheFittedButtonShowsGlyphAndCaptionWholeInThePlayersLayout) {
  CharMeasurer measurer;
  for (uint8_t layout = 0; layout < 4; ++layout)
    for (int32_t margin : {-1, 0, 9})
      for (int32_t spacing : {-1, 4}) {
        SCOPED_TRACE(std::to_string(layout) + " " + std::to_string(margin) + " " + std::to_string(spacing));
        MenuObject obj(ObjectKind::Button);
        ButtonControl& b = *obj.AsButton();
        b.Caption = "&Install now";
        b.Layout = layout;
        b.Margin = margin;
        b.Spacing = spacing;
        obj.HotTrackFont = b.Font;
        ASSERT_TRUE(SizeObjectToFit(obj, measurer, {16, 12}));
        const ButtonPlacement p = LayoutButton(b, false, false, 16, 12, measurer);
        for (const Rect& part : {p.Glyph, p.Caption}) {
          EXPECT_GE(part.Left, p.Interior.Left);
          EXPECT_GE(part.Top, p.Interior.Top);
          EXPECT_LE(part.Right, p.Interior.Right);
          EXPECT_LE(part.Bottom, p.Interior.Bottom);
        }
        // Glyph and caption do not overlap.
        EXPECT_TRUE(p.Glyph.Right <= p.Caption.Left || p.Caption.Right <= p.Glyph.Left ||
                    p.Glyph.Bottom <= p.Caption.Top || p.Caption.Bottom <= p.Glyph.Top);
      }
}

// A label is as large as its caption in the larger of its two fonts; a right-aligned one keeps
// its right edge.
TEST(SizeToFit, ALabelTakesItsCaptionInTheLargerFontAndKeepsItsAlignedEdge) {
  CharMeasurer measurer;
  MenuObject obj(ObjectKind::Label);
  LabelControl& l = *obj.AsLabel();
  l.AutoSize = false;
  l.Caption = "Read me";
  l.Left = 100;
  l.Width = 200;
  l.Alignment = static_cast<uint8_t>(TextAlignment::RightJustify);
  obj.HotTrackFont = l.Font;
  obj.HotTrackFont.Size = 20;
  ASSERT_TRUE(SizeObjectToFit(obj, measurer, {}));
  EXPECT_EQ(l.Width, 49);
  EXPECT_EQ(l.Height, 25);
  EXPECT_EQ(l.Left + l.Width, 300);
  l.AutoSize = true;  // sizes itself: not offered
  EXPECT_FALSE(CanSizeToFit(obj));
}

TEST(SizeToFit, TheSelectionFitsInOneStepAndAnAutoSizeSelectionIsNotOffered) {
  testing::FakeWorld world;
  CharMeasurer measurer;
  world.State.Env.Text = &measurer;
  StillHost host;
  DesignSurface surface(world.State, host);
  auto& objects = world.State.Project.Objects;
  for (ObjectKind kind : {ObjectKind::Label, ObjectKind::Button, ObjectKind::Image}) {
    objects.push_back(MakeNewObject(kind));
    objects.back()->Selected = true;
  }
  objects[0]->AsLabel()->Caption = "Welcome";
  objects[0]->AsLabel()->AutoSize = true;
  objects[1]->AsButton()->Caption = "Go";
  objects[1]->Selected = false;
  EXPECT_FALSE(surface.CanSizeSelectionToFit());  // the label sizes itself, the image has no caption
  objects[0]->AsLabel()->AutoSize = false;
  objects[1]->Selected = true;
  ASSERT_TRUE(surface.CanSizeSelectionToFit());
  const int32_t imageWidth = objects[2]->Base().Width;
  ASSERT_TRUE(surface.SizeSelectionToFit());
  EXPECT_EQ(objects[0]->Base().Width, 49);
  EXPECT_EQ(objects[1]->Base().Width, 2 * kPushFrameWidth + 4 + 16 + 4 + 14 + 4);
  EXPECT_EQ(objects[2]->Base().Width, imageWidth);
  EXPECT_EQ(surface.Steps().Size(), 1u);
  EXPECT_EQ(surface.Steps().UndoText(), "Undo Size to Fit");
  EXPECT_FALSE(surface.SizeSelectionToFit());  // already fitted: no second step
}

}  // namespace
}  // namespace corvela
