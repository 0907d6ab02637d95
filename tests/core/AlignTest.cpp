#include <gtest/gtest.h>

#include "designer/Align.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

struct ArrangeCase {
  const char* Why;
  AlignCommand Command;
  std::vector<Box> In;
  std::vector<Box> Out;
};

TEST(ArrangeBoxes, Table) {
  const Size panel{400, 300};
  const std::vector<ArrangeCase> cases = {
      {"lefts follow the first box",
       AlignCommand::Lefts,
       {{10, 5, 51, 21}, {30, 40, 20, 9}},
       {{10, 5, 51, 21}, {10, 40, 20, 9}}},
      {"centres use half the size truncated, as the handles do",
       AlignCommand::Centres,
       {{10, 5, 51, 21}, {30, 40, 21, 9}},
       {{10, 5, 51, 21}, {25, 40, 21, 9}}},
      {"rights", AlignCommand::Rights, {{10, 5, 51, 21}, {30, 40, 20, 9}}, {{10, 5, 51, 21}, {41, 40, 20, 9}}},
      {"tops", AlignCommand::Tops, {{10, 5, 51, 21}, {30, 40, 20, 9}}, {{10, 5, 51, 21}, {30, 5, 20, 9}}},
      {"middles", AlignCommand::Middles, {{10, 5, 51, 21}, {30, 40, 20, 9}}, {{10, 5, 51, 21}, {30, 11, 20, 9}}},
      {"bottoms", AlignCommand::Bottoms, {{10, 5, 51, 21}, {30, 40, 20, 9}}, {{10, 5, 51, 21}, {30, 17, 20, 9}}},
      {"same width", AlignCommand::SameWidth, {{10, 5, 51, 21}, {30, 40, 20, 9}}, {{10, 5, 51, 21}, {30, 40, 51, 9}}},
      {"same height",
       AlignCommand::SameHeight,
       {{10, 5, 51, 21}, {30, 40, 20, 9}},
       {{10, 5, 51, 21}, {30, 40, 20, 21}}},
      {"same size", AlignCommand::SameSize, {{10, 5, 51, 21}, {30, 40, 20, 9}}, {{10, 5, 51, 21}, {30, 40, 51, 21}}},
      {"a gap of 70 over three spaces is 23, 23, 24 with the outer boxes fixed, whatever the list order",
       AlignCommand::SpaceAcross,
       {{100, 0, 10, 5}, {0, 1, 10, 5}, {50, 2, 10, 5}, {13, 3, 10, 5}},
       {{100, 0, 10, 5}, {0, 1, 10, 5}, {66, 2, 10, 5}, {33, 3, 10, 5}}},
      {"boxes of different sizes get equal gaps",
       AlignCommand::SpaceDown,
       {{0, 0, 5, 10}, {0, 12, 5, 40}, {0, 90, 5, 10}},
       {{0, 0, 5, 10}, {0, 30, 5, 40}, {0, 90, 5, 10}}},
      {"overlapping boxes share a negative gap rounded down, and the last stays",
       AlignCommand::SpaceAcross,
       {{0, 0, 20, 5}, {2, 0, 20, 5}, {9, 0, 20, 5}},
       {{0, 0, 20, 5}, {4, 0, 20, 5}, {9, 0, 20, 5}}},
      {"spacing needs three boxes",
       AlignCommand::SpaceAcross,
       {{0, 0, 20, 5}, {50, 0, 20, 5}},
       {{0, 0, 20, 5}, {50, 0, 20, 5}}},
      {"aligning needs two", AlignCommand::Lefts, {{7, 0, 20, 5}}, {{7, 0, 20, 5}}},
      {"the group is centred in the panel and keeps its shape",
       AlignCommand::CentreInWindow,
       {{10, 10, 50, 20}, {100, 50, 30, 30}},
       {{140, 115, 50, 20}, {230, 155, 30, 30}}},
      {"a box far out of range does not overflow",
       AlignCommand::Rights,
       {{2147483000, 0, 2000, 5}, {0, 0, 10, 5}},
       {{2147483000, 0, 2000, 5}, {2147483647, 0, 10, 5}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ArrangeBoxes(c.Command, c.In, panel), c.Out) << c.Why;
}

struct NudgeFixture : ::testing::Test {
  MenuProject Project;
  const Size Panel{200, 100};
  MenuObject& Add(int32_t l, int32_t t, int32_t w, int32_t h, bool selected) {
    return testing::AddBox(Project, l, t, w, h, selected);
  }
  static Box BoxOf(const MenuObject& obj) {
    const ControlBase& c = obj.Base();
    return {c.Left, c.Top, c.Width, c.Height};
  }
};

TEST_F(NudgeFixture, ArrowsMoveCtrlMovesByEightShiftResizes) {
  struct Case {
    ArrowKey Key;
    bool Ctrl, Shift;
    Box Expected;
  };
  const Case cases[] = {
      {ArrowKey::Left, false, false, {49, 40, 20, 10}}, {ArrowKey::Right, false, false, {51, 40, 20, 10}},
      {ArrowKey::Up, false, false, {50, 39, 20, 10}},   {ArrowKey::Down, true, false, {50, 48, 20, 10}},
      {ArrowKey::Left, true, false, {42, 40, 20, 10}},  {ArrowKey::Right, false, true, {50, 40, 21, 10}},
      {ArrowKey::Left, false, true, {50, 40, 19, 10}},  {ArrowKey::Up, false, true, {50, 40, 20, 9}},
      {ArrowKey::Down, false, true, {50, 40, 20, 11}},
  };
  for (const Case& c : cases) {
    Project.Objects.clear();
    MenuObject& obj = Add(50, 40, 20, 10, true);
    MenuObject& other = Add(5, 5, 5, 5, false);
    EXPECT_TRUE(NudgeSelection(Project, c.Key, c.Ctrl, c.Shift, Panel));
    EXPECT_EQ(BoxOf(obj), c.Expected) << static_cast<int>(c.Key) << c.Ctrl << c.Shift;
    EXPECT_EQ(BoxOf(other), (Box{5, 5, 5, 5}));
  }
}

TEST_F(NudgeFixture, TheClampsOfADragHold) {
  MenuObject& atEdge = Add(0, 94, 1, 1, true);
  EXPECT_FALSE(NudgeSelection(Project, ArrowKey::Left, false, false, Panel));
  EXPECT_FALSE(NudgeSelection(Project, ArrowKey::Left, false, true, Panel));  // width stays at least 1
  EXPECT_TRUE(NudgeSelection(Project, ArrowKey::Down, true, false, Panel));
  EXPECT_EQ(BoxOf(atEdge), (Box{0, 95, 1, 1}));  // panel height less the margin of 5
}

// A group at the edge stops as one: per object, the others would close up on the one held there.
TEST_F(NudgeFixture, TheSelectionIsClampedAsOneGroup) {
  MenuObject& held = Add(0, 10, 10, 10, true);
  MenuObject& other = Add(30, 10, 10, 10, true);
  EXPECT_FALSE(NudgeSelection(Project, ArrowKey::Left, true, false, Panel));
  EXPECT_EQ(BoxOf(other), (Box{30, 10, 10, 10}));
  // Right edges lined up on a wide reference would push the narrow one past the panel's end.
  Project.Objects.clear();
  Add(150, 0, 40, 10, true);
  MenuObject& wide = Add(10, 30, 200, 10, true);
  ASSERT_TRUE(AlignSelection(Project, AlignCommand::Rights, Panel));
  EXPECT_EQ(int64_t{wide.Base().Left} + wide.Base().Width, int64_t{Project.Objects[0]->Base().Left} + 40);
  (void)held;
}

TEST_F(NudgeFixture, AlignFollowsTheFirstSelectedInListOrder) {
  Add(1, 1, 10, 10, false);
  Add(30, 20, 10, 10, true);
  MenuObject& follower = Add(60, 70, 10, 10, true);
  EXPECT_TRUE(AlignSelection(Project, AlignCommand::Tops, Panel));
  EXPECT_EQ(BoxOf(follower), (Box{60, 20, 10, 10}));
  EXPECT_FALSE(AlignSelection(Project, AlignCommand::Tops, Panel));
}

}  // namespace
}  // namespace corvela
