#include <gtest/gtest.h>

#include "project/CopyIn.h"
#include "project/StoredPath.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

TEST(FreeFileName, NumbersTheStemUntilTheFolderLacksTheName) {
  FakeWorld world;
  for (const char* taken : {"a.jpg", "a (2).jpg", "noext", ".hidden", "x.tar.gz"})
    world.Files.Files[std::string("D:\\Menu\\") + taken] = "x";
  struct Case {
    const char* name;
    const char* free;
  };
  const Case cases[] = {
      {"b.jpg", "b.jpg"},
      {"a.jpg", "a (3).jpg"},  // (2) is taken too
      {"noext", "noext (2)"},
      {".hidden", ".hidden (2)"},  // a dot in front begins the name, not an extension
      {"x.tar.gz", "x.tar (2).gz"},
  };
  for (const Case& c : cases) EXPECT_EQ(FreeFileName(world.Files, "D:\\Menu", c.name), c.free) << c.name;
}

// A CD folder D:\Menu with a subfolder art, and pictures outside it in C:\Photos.
struct CopyingIn : FakeWorld {
  std::string Field = "\\old.jpg";
  CopyingIn() {
    State.CDFolder = "D:\\Menu";
    Files.Directories = {"D:\\Menu", "D:\\Menu\\art", "C:\\Photos"};
    Files.Files["C:\\Photos\\sea.jpg"] = "SEA";
    Files.Files["C:\\Photos\\hill.jpg"] = "HILL";
  }
  SelectResult Select(const std::string& answer) {
    Chooser.Answer = answer;
    return SelectFileInCdFolder(State, Field, "", RefusalStyle::Plain);
  }
};

TEST(CopyIn, YesCopiesToTheLastPlaceUsedAndStoresTheCopy) {
  CopyingIn w;
  w.Ui.Answers = {MessageResult::Yes};
  EXPECT_EQ(w.Select("C:\\Photos\\sea.jpg"), SelectResult::Changed);
  EXPECT_EQ(w.Field, "\\sea.jpg");
  EXPECT_EQ(w.Files.Files["D:\\Menu\\sea.jpg"], "SEA");
  ASSERT_EQ(w.Ui.Shown.size(), 1u);
  EXPECT_EQ(w.Ui.Shown[0].Text,
            "Copy \"sea.jpg\" into the CD folder?\n\nYes copies it into \"D:\\Menu\"; No lets you choose "
            "another place in the CD folder.");
  EXPECT_EQ(w.Ui.Shown[0].Buttons, MessageButtons::YesNoCancel);

  // No: a Save box in that place; the folder picked there is offered next time.
  w.Ui.Answers = {MessageResult::No};
  w.Chooser.Requests.clear();
  w.Chooser.Queued = {"C:\\Photos\\hill.jpg", "D:\\Menu\\art\\hill.jpg"};
  EXPECT_EQ(w.Select("C:\\Photos\\hill.jpg"), SelectResult::Changed);
  EXPECT_EQ(w.Field, "\\art\\hill.jpg");
  ASSERT_EQ(w.Chooser.Requests.size(), 2u);
  EXPECT_TRUE(w.Chooser.Requests[1].Save);
  EXPECT_EQ(w.Chooser.Requests[1].InitialDir, "D:\\Menu");
  EXPECT_EQ(w.Chooser.Requests[1].FileName, "hill.jpg");
  EXPECT_EQ(w.Files.Files["D:\\Menu\\art\\hill.jpg"], "HILL");
  EXPECT_EQ(CopyInFolder(w.State), "D:\\Menu\\art");
  // A last place that is gone again falls back to the CD folder.
  w.Files.Directories.erase("D:\\Menu\\art");
  EXPECT_EQ(CopyInFolder(w.State), "D:\\Menu");
}

TEST(CopyIn, AnotherFileOfTheNameIsKeptAndTheSameFileIsUsed) {
  CopyingIn w;
  w.Files.Files["D:\\Menu\\sea.jpg"] = "OTHER SEA";
  w.Ui.Answers = {MessageResult::Yes, MessageResult::Yes};
  EXPECT_EQ(w.Select("C:\\Photos\\sea.jpg"), SelectResult::Changed);
  EXPECT_EQ(w.Field, "\\sea (2).jpg");
  EXPECT_EQ(w.Files.Files["D:\\Menu\\sea.jpg"], "OTHER SEA");
  EXPECT_EQ(w.Files.Files["D:\\Menu\\sea (2).jpg"], "SEA");
  EXPECT_EQ(w.Ui.Shown.at(1).Text,
            "\"D:\\Menu\" already holds another file named \"sea.jpg\".\n\nCopy this one as \"sea (2).jpg\" instead?");

  // No to the free name: nothing is copied, nothing overwritten, the field kept.
  w.Field = "\\old.jpg";
  w.Files.Files["C:\\Photos\\sea.jpg"] = "NEWER SEA";
  w.Ui.Answers = {MessageResult::Yes, MessageResult::No};
  EXPECT_EQ(w.Select("C:\\Photos\\sea.jpg"), SelectResult::Cancelled);
  EXPECT_EQ(w.Field, "\\old.jpg");
  EXPECT_EQ(w.Files.Files["D:\\Menu\\sea.jpg"], "OTHER SEA");
  EXPECT_FALSE(w.Files.FileExists("D:\\Menu\\sea (3).jpg"));

  // The same bytes already there: used, with the one question only.
  w.Ui.Shown.clear();
  w.Ui.Answers = {MessageResult::Yes};
  EXPECT_EQ(w.Select("C:\\Photos\\hill.jpg"), SelectResult::Changed);
  w.Ui.Answers = {MessageResult::Yes};
  EXPECT_EQ(w.Select("C:\\Photos\\hill.jpg"), SelectResult::Unchanged);
  EXPECT_EQ(w.Ui.Shown.size(), 2u);
  EXPECT_FALSE(w.Files.FileExists("D:\\Menu\\hill (2).jpg"));

  // Cancel to the first question copies nothing.
  w.Ui.Answers = {MessageResult::Cancel};
  w.Files.Files["C:\\Photos\\new.jpg"] = "NEW";
  EXPECT_EQ(w.Select("C:\\Photos\\new.jpg"), SelectResult::Cancelled);
  EXPECT_FALSE(w.Files.FileExists("D:\\Menu\\new.jpg"));
}

TEST(CopyIn, APastedObjectsFilesThisFolderLacksAreCopiedToTheSamePlaces) {
  CopyingIn w;
  w.Files.Files["E:\\Other\\art\\a.bmp"] = "A";
  w.Files.Files["E:\\Other\\snd\\b.wav"] = "B";
  w.Files.Files["E:\\Other\\both.jpg"] = "THEIRS";
  w.Files.Files["D:\\Menu\\both.jpg"] = "MINE";
  auto button = MakeNewObject(ObjectKind::Button);
  button->BitmapFile = "\\art\\a.bmp";
  button->HotTrackBitmapFile = "\\art\\a.bmp";  // named twice, offered once
  button->Link.SoundFile = "\\snd\\b.wav";
  button->Link.Target = "\\both.jpg";  // this folder has a file there: not lacking
  button->FileName = "C:\\abs.txt";    // not a stored path
  const std::vector<const MenuObject*> objects{button.get()};
  const std::vector<std::string> lacking = FilesLackingAfterPaste(w.Files, objects, "E:\\Other", "D:\\Menu");
  EXPECT_EQ(lacking, (std::vector<std::string>{"\\art\\a.bmp", "\\snd\\b.wav"}));
  EXPECT_TRUE(FilesLackingAfterPaste(w.Files, objects, "d:\\MENU", "D:\\Menu").empty());  // the same folder
  EXPECT_TRUE(FilesLackingAfterPaste(w.Files, objects, "", "D:\\Menu").empty());          // an older record

  w.Ui.Answers = {MessageResult::No};
  EXPECT_FALSE(OfferCopyOfPastedFiles(w.State, "E:\\Other", lacking));
  EXPECT_FALSE(w.Files.FileExists("D:\\Menu\\art\\a.bmp"));
  w.Ui.Answers = {MessageResult::Yes};
  EXPECT_TRUE(OfferCopyOfPastedFiles(w.State, "E:\\Other", lacking));
  EXPECT_EQ(w.Files.Files["D:\\Menu\\art\\a.bmp"], "A");
  EXPECT_EQ(w.Files.Files["D:\\Menu\\snd\\b.wav"], "B");
  EXPECT_TRUE(w.Files.DirectoryExists("D:\\Menu\\snd"));
  EXPECT_EQ(w.Files.Files["D:\\Menu\\both.jpg"], "MINE");
}

}  // namespace
}  // namespace corvela
