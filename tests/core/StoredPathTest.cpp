#include <gtest/gtest.h>

#include "project/StoredPath.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

TEST(MakeStoredPath, AcceptsOnlyFilesInsideTheFolder) {
  struct Case {
    const char* folder;
    const char* chosen;
    const char* stored;
  };
  const Case cases[] = {
      {"D:\\Menu", "D:\\Menu\\a.wav", "\\a.wav"},
      {"D:\\Menu", "D:\\Menu\\snd\\a.wav", "\\snd\\a.wav"},
      {"D:\\Menu", "D:\\Menu2\\a.wav", ""},  // a sibling whose name begins like the folder
      {"D:\\Menu", "D:\\Other\\a.wav", ""},
      {"D:\\Disc", "d:\\disc\\A.wav", "\\A.wav"},  // the file system ignores letter case
      {"D:\\Disc", "d:\\disc2\\a.wav", ""},
      {"D:\\Menu", "D:\\Menu", ""},
      {"D:\\Menu", "D:\\Me", ""},
      {"D:", "D:\\a.wav", "\\a.wav"},
      {"", "D:\\a.wav", ""},
      {"C:\\Menu\\", "C:\\Menu\\a.wav", "a.wav"},  // hand-edited folder: OK adds the backslash later
  };
  for (const auto& c : cases) EXPECT_EQ(MakeStoredPath(c.folder, c.chosen), c.stored) << c.chosen;
}

TEST(NormalizeStoredPath, TrimsAndPutsABackslashInFront) {
  EXPECT_EQ(NormalizeStoredPath("  intro.avi\t"), "\\intro.avi");
  EXPECT_EQ(NormalizeStoredPath("\\intro.avi"), "\\intro.avi");
  EXPECT_EQ(NormalizeStoredPath(" \r\n"), "");
  EXPECT_EQ(NormalizeStoredPath(""), "");
  // Bytes above 127 are letters of the code page, not blanks.
  EXPECT_EQ(NormalizeStoredPath("\xe9t\xe9.wav\xa0"), "\\\xe9t\xe9.wav\xa0");
}

TEST(ResolveStoredPath, JoinsOnlyStoredPaths) {
  EXPECT_EQ(ResolveStoredPath("D:", "\\a.bmp"), "D:\\a.bmp");
  EXPECT_EQ(ResolveStoredPath("D:", "http://x.example/"), "http://x.example/");
  EXPECT_EQ(ResolveStoredPath("D:", "C:\\abs.bmp"), "C:\\abs.bmp");
  EXPECT_EQ(ResolveStoredPath("D:", ""), "");
}

TEST(SelectFileInCdFolder, OpensOnTheFieldsFileOrInTheFolder) {
  FakeWorld world;
  world.State.CDFolder = "D:\\Menu";
  std::string field = " snd\\a.wav ";
  EXPECT_EQ(SelectFileInCdFolder(world.State, field, kAllFilesFilter, RefusalStyle::Plain), SelectResult::Cancelled);
  ASSERT_EQ(world.Chooser.Requests.size(), 1u);
  EXPECT_EQ(world.Chooser.Requests[0].FileName, "D:\\Menu\\snd\\a.wav");
  EXPECT_EQ(world.Chooser.Requests[0].InitialDir, "");
  EXPECT_EQ(world.Chooser.Requests[0].Filter, kAllFilesFilter);
  EXPECT_EQ(field, " snd\\a.wav ");

  field = "";
  SelectFileInCdFolder(world.State, field, "", RefusalStyle::Plain);
  EXPECT_EQ(world.Chooser.Requests[1].FileName, "");
  EXPECT_EQ(world.Chooser.Requests[1].InitialDir, "D:\\Menu");
}

TEST(SelectFileInCdFolder, StoresTheChoiceAndTellsWhetherItChanged) {
  FakeWorld world;
  world.State.CDFolder = "D:\\Menu";
  world.Chooser.Answer = "D:\\Menu\\pics\\logo.bmp";
  std::string field = "\\old.bmp";
  EXPECT_EQ(SelectFileInCdFolder(world.State, field, kBitmapFilter, RefusalStyle::Plain), SelectResult::Changed);
  EXPECT_EQ(field, "\\pics\\logo.bmp");
  EXPECT_EQ(SelectFileInCdFolder(world.State, field, kBitmapFilter, RefusalStyle::Plain), SelectResult::Unchanged);
  EXPECT_TRUE(world.Ui.Shown.empty());
}

TEST(SelectFileInCdFolder, RefusesOutsideFilesInEitherStyleAndEveryFileWithoutAFolder) {
  FakeWorld world;
  world.State.CDFolder = "D:\\Menu";
  world.Chooser.Answer = "D:\\Menu2\\a.wav";
  std::string field = "\\keep.wav";
  EXPECT_EQ(SelectFileInCdFolder(world.State, field, "", RefusalStyle::Plain), SelectResult::Refused);
  EXPECT_EQ(SelectFileInCdFolder(world.State, field, "", RefusalStyle::Information), SelectResult::Refused);
  EXPECT_EQ(field, "\\keep.wav");
  ASSERT_EQ(world.Ui.Shown.size(), 2u);
  EXPECT_EQ(world.Ui.Shown[0].Text, "Selected file should be in \"D:\\Menu\" directory or its subdirectory directory");
  EXPECT_EQ(world.Ui.Shown[0].Caption, "Corvela");
  EXPECT_EQ(world.Ui.Shown[0].Icon, MessageIcon::None);
  EXPECT_EQ(world.Ui.Shown[1].Text, "Selected file should be in \"D:\\Menu\" directory or its subdirectory");
  EXPECT_EQ(world.Ui.Shown[1].Caption, "Information");
  EXPECT_EQ(world.Ui.Shown[1].Icon, MessageIcon::Information);

  // Without a folder every choice is refused.
  world.State.CDFolder.clear();
  world.Chooser.Answer = "C:\\a.wav";
  EXPECT_EQ(SelectFileInCdFolder(world.State, field, "", RefusalStyle::Plain), SelectResult::Refused);
  EXPECT_EQ(world.Ui.Shown.at(2).Text, "Selected file should be in \"\" directory or its subdirectory directory");
}

}  // namespace
}  // namespace corvela
