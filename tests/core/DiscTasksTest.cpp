#include "designer/DiscTasks.h"
#include "designer/Selection.h"

#include <gtest/gtest.h>

#include "support/FakePlatform.h"

namespace corvela {
namespace {

TEST(DiscTasks, TheImageIsOfferedBesideTheCdFolderUnderTheCaptionsLabel) {
  testing::FakeFileSystem files;
  files.Documents = "C:\\Users\\me\\Documents";
  files.Unwritable = {"C:\\Program Files\\Corvela"};
  struct Case {
    const char* CdFolder;
    const char* Image;
    const char* Why;
  } cases[] = {
      {"D:\\Work\\Menu CD", "D:\\Work\\HOLIDAY.iso", "beside the CD folder"},
      {"D:\\Work\\Menu CD\\", "D:\\Work\\HOLIDAY.iso", "a trailing backslash"},
      {"E:\\CD", "C:\\Users\\me\\Documents\\HOLIDAY.iso", "a drive's root takes no file without elevation"},
      {"E:\\", "C:\\Users\\me\\Documents\\HOLIDAY.iso", "the CD folder is a root: beside it is inside it"},
      {"\\\\server\\share\\CD", "C:\\Users\\me\\Documents\\HOLIDAY.iso", "a share's root"},
      {"\\\\server\\share\\work\\CD", "\\\\server\\share\\work\\HOLIDAY.iso", "a folder on a share"},
      {"C:\\Program Files\\Corvela\\Demo", "C:\\Users\\me\\Documents\\HOLIDAY.iso", "a folder that needs elevation"},
  };
  for (const Case& c : cases) EXPECT_EQ(DefaultImagePath(files, c.CdFolder, "Holiday"), c.Image) << c.Why;
  files.Documents.clear();
  EXPECT_EQ(DefaultImagePath(files, "E:\\", ""), "CDROM.iso") << "no Documents: the name alone";
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
