#include "designer/DiscTasks.h"
#include "designer/Selection.h"

#include <gtest/gtest.h>

namespace corvela {
namespace {

TEST(DiscTasks, TheImageIsOfferedBesideTheCdFolderUnderTheCaptionsLabel) {
  EXPECT_EQ(DefaultImagePath("D:\\Work\\Menu CD", "Holiday Photos 2026"), "D:\\Work\\HOLIDAY_PHOTOS_2026.iso");
  EXPECT_EQ(DefaultImagePath("D:\\Work\\Menu CD\\", "x"), "D:\\Work\\X.iso");
  // A CD folder on a drive's root: the image goes to the root itself.
  EXPECT_EQ(DefaultImagePath("E:\\CD", ""), "E:\\CDROM.iso");
}

TEST(DiscTasks, TheEndShowsTheSmallestMediumOrNone) {
  EXPECT_EQ(ImageDoneText(3 << 20), "The image is 3.0 MB and fits a CD 700 MB.");
  EXPECT_EQ(ImageDoneText(kMedia[0].Capacity + 1), "The image is 703 MB and fits a DVD 4.7 GB.");
  EXPECT_EQ(ImageDoneText(kMedia[2].Capacity + 1), "The image is 8.0 GB and fits no disc.");
  EXPECT_EQ(ProgressPosition(1, 0), 0);
  EXPECT_EQ(ProgressPosition(5, 10), kProgressSteps / 2);
}

TEST(DiscTasks, SelectingAFindingsObjectSelectsItAlone) {
  MenuProject project;
  for (int i = 0; i < 3; ++i) project.Objects.push_back(MakeNewObject(ObjectKind::Label));
  project.Objects[0]->Selected = true;
  EXPECT_TRUE(SelectOnlyObject(project, 2));
  EXPECT_FALSE(project.Objects[0]->Selected);
  EXPECT_TRUE(project.Objects[2]->Selected);
  // An index from a check of an older save may be gone.
  EXPECT_FALSE(SelectOnlyObject(project, 3));
  EXPECT_TRUE(project.Objects[2]->Selected);
}

}  // namespace
}  // namespace corvela
