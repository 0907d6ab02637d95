#include <gtest/gtest.h>

#include "dialogs/ButtonPropertiesRules.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

using testing::DistinctFont;
using testing::DistinctObject;

TEST(ButtonPropertiesDialog, OkWithoutAChangeWritesNothing) {
  auto obj = DistinctObject(ObjectKind::Button);
  obj->BitmapFile = "art\\play.bmp";  // OK after a change would normalise it
  ButtonPropertiesFields f = FillButtonProperties(*obj);
  f.Margin = "77";
  EXPECT_FALSE(WriteBackButtonProperties(f, {true, false}, *obj));
  EXPECT_EQ(obj->BitmapFile, "art\\play.bmp");
  EXPECT_EQ(obj->AsButton()->Margin, -5);
}

TEST(ButtonPropertiesDialog, ChangingOnlyFlatWritesEveryFieldAsShown) {
  auto obj = DistinctObject(ObjectKind::Button);
  ButtonControl& button = *obj->AsButton();
  obj->BitmapFile = " art\\play.bmp ";
  obj->HotTrackBitmapFile = "\\art\\hot.bmp";
  ButtonPropertiesFields f = FillButtonProperties(*obj);
  EXPECT_EQ(f.Caption, button.Caption);
  EXPECT_EQ(f.Layout, 3);
  EXPECT_EQ(f.Margin, "-5");
  EXPECT_EQ(f.Spacing, "-2");
  EXPECT_EQ(f.BitmapFile, " art\\play.bmp ");  // as stored
  const ButtonControl shown = button;
  const FontRecord hot = obj->HotTrackFont;
  f.Flat = !f.Flat;
  button = ButtonControl{};
  obj->HotTrackFont = FontRecord{};
  ASSERT_TRUE(WriteBackButtonProperties(f, {true, true}, *obj));
  EXPECT_EQ(button.Caption, shown.Caption);
  EXPECT_EQ(button.Layout, 3);
  EXPECT_EQ(button.Font, shown.Font);
  EXPECT_EQ(obj->HotTrackFont, hot);
  EXPECT_EQ(obj->BitmapFile, "\\art\\play.bmp");
  EXPECT_EQ(obj->HotTrackBitmapFile, "\\art\\hot.bmp");
  EXPECT_EQ(button.Margin, -5);  // negative margins reach the control unchanged
  EXPECT_EQ(button.Spacing, -2);
  EXPECT_EQ(button.Flat, !shown.Flat);
  EXPECT_EQ(button.Transparent, shown.Transparent);
}

TEST(ButtonPropertiesDialog, TypedValuesAreReadAsTheRulesSay) {
  auto obj = DistinctObject(ObjectKind::Button);
  ButtonPropertiesFields f = FillButtonProperties(*obj);
  f.Layout = 3;  // "ImageBottom"
  f.Margin = "-1";
  f.Spacing = "";
  f.BitmapFile = "";
  f.HotTrackBitmapFile = "hot one.bmp";
  f.Font = DistinctFont(3);
  ASSERT_TRUE(WriteBackButtonProperties(f, {true, true}, *obj));
  EXPECT_STREQ(kButtonLayoutEntries[3], "ImageBottom");
  EXPECT_EQ(obj->AsButton()->Layout, 3);
  EXPECT_EQ(obj->AsButton()->Margin, -1);
  EXPECT_EQ(obj->AsButton()->Spacing, 0);
  EXPECT_EQ(obj->BitmapFile, "");
  EXPECT_EQ(obj->HotTrackBitmapFile, "\\hot one.bmp");
  EXPECT_EQ(obj->AsButton()->Font, DistinctFont(3));
}

}  // namespace
}  // namespace corvela
