#include <gtest/gtest.h>

#include "dialogs/ImagePropertiesRules.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

TEST(ImagePropertiesDialog, DisplayStyleIsTheFirstFlagSetInTheOrderCenterStretchAutoSize) {
  struct Case {
    bool center, stretch, autoSize;
    int entry;
  };
  const Case cases[] = {
      {false, false, false, kDisplayNormal}, {true, false, false, kDisplayCenter},
      {false, true, false, kDisplayStretch}, {false, false, true, kDisplayAutoSize},
      {true, true, false, kDisplayCenter},   {false, true, true, kDisplayStretch},
      {true, true, true, kDisplayCenter},
  };
  for (const auto& c : cases) {
    ImageControl image;
    image.Center = c.center;
    image.Stretch = c.stretch;
    image.AutoSize = c.autoSize;
    EXPECT_EQ(DisplayStyleOf(image), c.entry) << c.center << c.stretch << c.autoSize;
  }
}

TEST(ImagePropertiesDialog, EachEntrySetsExactlyItsOwnFlag) {
  const bool expected[4][3] = {{false, false, false}, {true, false, false}, {false, true, false}, {false, false, true}};
  for (int entry = 0; entry < 4; ++entry) {
    ImageControl image;
    image.Center = image.Stretch = image.AutoSize = true;
    ApplyDisplayStyle(entry, image);
    EXPECT_EQ(image.Center, expected[entry][0]) << kDisplayStyleEntries[entry];
    EXPECT_EQ(image.Stretch, expected[entry][1]) << kDisplayStyleEntries[entry];
    EXPECT_EQ(image.AutoSize, expected[entry][2]) << kDisplayStyleEntries[entry];
  }
}

TEST(ImagePropertiesDialog, CenterAndStretchTogetherBecomeCenterAfterAnyConfirmedChange) {
  auto obj = testing::DistinctObject(ObjectKind::Image);  // Center, Stretch and AutoSize all set
  ImagePropertiesFields f = FillImageProperties(*obj);
  EXPECT_EQ(f.DisplayStyle, kDisplayCenter);
  EXPECT_FALSE(WriteBackImageProperties(f, {true, false}, *obj));
  EXPECT_TRUE(obj->AsImage()->Stretch);  // untouched without a change

  f.FileName = " pics\\logo.gif ";
  ASSERT_TRUE(WriteBackImageProperties(f, {true, true}, *obj));
  EXPECT_TRUE(obj->AsImage()->Center);
  EXPECT_FALSE(obj->AsImage()->Stretch);
  EXPECT_FALSE(obj->AsImage()->AutoSize);
  EXPECT_EQ(obj->FileName, "\\pics\\logo.gif");
  EXPECT_EQ(obj->HotTrackImageFile, "\\hi3.gif");
  EXPECT_TRUE(obj->AsImage()->Transparent);
}

}  // namespace
}  // namespace corvela
