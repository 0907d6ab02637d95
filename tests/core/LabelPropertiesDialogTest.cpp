#include <gtest/gtest.h>

#include "dialogs/LabelPropertiesRules.h"
#include "project/ProjectJson.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

using testing::DistinctFont;
using testing::DistinctObject;

TEST(LabelPropertiesDialog, OkWithoutAChangeOrCancelWritesNothing) {
  auto obj = DistinctObject(ObjectKind::Label);
  const LabelControl before = *obj->AsLabel();
  const FontRecord hotBefore = obj->HotTrackFont;
  LabelPropertiesFields f = FillLabelProperties(*obj);
  f.Caption = "other";
  EXPECT_FALSE(WriteBackLabelProperties(f, {true, false}, *obj));
  EXPECT_FALSE(WriteBackLabelProperties(f, {false, true}, *obj));
  EXPECT_EQ(obj->AsLabel()->Caption, before.Caption);
  EXPECT_EQ(obj->HotTrackFont, hotBefore);
}

TEST(LabelPropertiesDialog, ChangingOnlyTheHotTrackFontWritesEveryFieldAsShown) {
  auto obj = DistinctObject(ObjectKind::Label);
  LabelControl& label = *obj->AsLabel();
  label.Caption = "  spaced  ";
  label.Alignment = 1;
  label.Layout = 0;
  label.Color = 0x00336699u;
  label.Transparent = false;
  const LabelPropertiesFields f0 = FillLabelProperties(*obj);
  EXPECT_EQ(f0.Caption, "  spaced  ");
  EXPECT_EQ(f0.Alignment, 1);
  EXPECT_EQ(f0.Layout, 0);
  EXPECT_EQ(f0.Color, 0x00336699u);
  EXPECT_EQ(f0.Font, label.Font);
  EXPECT_EQ(f0.HotTrackFont, obj->HotTrackFont);

  // What the user sees in the dialog is then written over whatever the control holds.
  LabelPropertiesFields f = f0;
  f.HotTrackFont = DistinctFont(7);
  label = LabelControl{};
  ASSERT_TRUE(WriteBackLabelProperties(f, {true, true}, *obj));
  EXPECT_EQ(label.Caption, "  spaced  ");
  EXPECT_EQ(label.Alignment, 1);
  EXPECT_EQ(label.Layout, 0);
  EXPECT_EQ(label.Color, 0x00336699u);
  EXPECT_EQ(label.Font, f0.Font);
  EXPECT_EQ(obj->HotTrackFont, DistinctFont(7));
  EXPECT_FALSE(label.Transparent);
}

TEST(LabelPropertiesDialog, ListEntriesStoreTheirIndexAndAutoSizeWordWrapAreLeftAlone) {
  auto obj = DistinctObject(ObjectKind::Label);
  LabelControl& label = *obj->AsLabel();
  label.AutoSize = true;
  label.WordWrap = false;
  LabelPropertiesFields f = FillLabelProperties(*obj);
  f.Alignment = 2;  // "Center"
  f.Layout = 2;     // "Bottom"
  f.Caption = "";
  f.Transparent = true;
  ASSERT_TRUE(WriteBackLabelProperties(f, {true, true}, *obj));
  EXPECT_STREQ(kAlignmentEntries[2], "Center");
  EXPECT_STREQ(kLabelLayoutEntries[2], "Bottom");
  EXPECT_EQ(label.Alignment, 2);
  EXPECT_EQ(label.Layout, 2);
  EXPECT_EQ(label.Caption, "");  // an empty caption is accepted
  EXPECT_TRUE(label.Transparent);
  EXPECT_TRUE(label.AutoSize);
  EXPECT_FALSE(label.WordWrap);
}

}  // namespace
}  // namespace corvela
