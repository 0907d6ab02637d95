#include <gtest/gtest.h>

#include "player/PlayerStart.h"
#include "project/ProjectFile.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

struct PlayerStart : ::testing::Test {
  FakeWorld World;
  AppState& State = World.State;
  const std::string Path = "E:\\AutoRun.mnx";

  PlayerStart() {
    State.DesignerMode = false;
    State.CDFolder = "E:";
    State.ProjectFileName = Path;
    State.Modified = true;
  }
  // A 300 x 200 project with one image whose picture file is missing.
  std::string ProjectWithMissingPicture() {
    FakeWorld author;
    author.State.Project.Form.Width = 300;
    author.State.Project.Form.Height = 200;
    auto image = MakeNewObject(ObjectKind::Image);
    image->FileName = "\\gone.bmp";
    author.State.Project.Objects.push_back(std::move(image));
    return *SerializeProject(author.State, std::string(80, '\0'));
  }
};

TEST_F(PlayerStart, TheDesignerLoadsNothingHere) {
  State.DesignerMode = true;
  World.Files.Files[Path] = ProjectWithMissingPicture();
  EXPECT_EQ(LoadPlayerProject(State), StartOutcome::Designer);
  EXPECT_TRUE(State.Project.Objects.empty());
  EXPECT_FALSE(State.Modified);
  // A rescued menu differs from its damaged file: the start leaves it modified.
  State.Modified = true;
  State.ProjectRescued = true;
  LoadPlayerProject(State);
  EXPECT_TRUE(State.Modified);
}

TEST_F(PlayerStart, WithoutAProjectThePlayerClosesAfterSayingWhy) {
  EXPECT_EQ(LoadPlayerProject(State), StartOutcome::Close);
  EXPECT_EQ(World.Ui.Shown.size(), 1u);
  EXPECT_FALSE(State.ReportMissingOnce);
}

// Resources are applied by the load and once more for the menu: the user hears of each
// missing file once.
TEST_F(PlayerStart, AMissingFileIsReportedOnceAndTheMenuRuns) {
  World.Files.Files[Path] = ProjectWithMissingPicture();
  EXPECT_EQ(LoadPlayerProject(State), StartOutcome::Run);
  EXPECT_EQ(World.Ui.Texts(), std::vector<std::string>{"File \"E:\\gone.bmp\" not found"});
  EXPECT_FALSE(State.ReportMissingOnce);
  EXPECT_FALSE(State.Modified);
}

TEST_F(PlayerStart, EachPictureIsDecodedOnce) {
  World.Files.Files[Path] = ProjectWithMissingPicture();
  World.Files.Files["E:\\gone.bmp"] = "BM";
  EXPECT_EQ(LoadPlayerProject(State), StartOutcome::Run);
  EXPECT_EQ(World.Graphics.Loads, 1);
  EXPECT_NE(State.Project.Objects.at(0)->Picture, nullptr);
}

// The pictures decoded ahead of the load are the ones the load asks for, in its order.
TEST_F(PlayerStart, ThePicturesReadAheadAreTheOnesTheLoadAsksFor) {
  FakeWorld author;
  author.State.Project.Form.Width = 300;
  author.State.Project.Form.Height = 200;
  auto button = MakeNewObject(ObjectKind::Button);
  button->BitmapFile = "\\a.bmp";
  button->HotTrackBitmapFile = "\\a_hot.bmp";
  auto image = MakeNewObject(ObjectKind::Image);
  image->FileName = "\\b.jpg";
  image->HotTrackImageFile = "\\b_hot.png";
  author.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Label));
  author.State.Project.Objects.push_back(std::move(image));
  author.State.Project.Objects.push_back(std::move(button));
  World.Files.Files[Path] = *SerializeProject(author.State, std::string(80, '\0'));
  for (const char* name : {"E:\\a.bmp", "E:\\a_hot.bmp", "E:\\b.jpg", "E:\\b_hot.png"}) World.Files.Files[name] = "x";

  const std::vector<PictureRequest> ahead = PlayerPictureRequests(State);
  EXPECT_TRUE(State.Project.Objects.empty());
  ASSERT_EQ(LoadPlayerProject(State), StartOutcome::Run);
  const auto& asked = World.Graphics.Asked;
  ASSERT_EQ(ahead.size(), 4u);
  ASSERT_EQ(asked.size(), ahead.size());
  for (size_t i = 0; i < ahead.size(); ++i) {
    EXPECT_EQ(ahead[i].Path, asked[i].Path) << i;
    EXPECT_EQ(ahead[i].Glyph, asked[i].Glyph) << i;
  }
}

// A file broken after the window's settings still shows what it holds.
TEST_F(PlayerStart, AFileBrokenAfterTheWindowSizeStillRuns) {
  std::string bytes = ProjectWithMissingPicture();
  bytes.resize(bytes.size() - 90);
  World.Files.Files[Path] = bytes;
  EXPECT_EQ(LoadPlayerProject(State), StartOutcome::Run);
  EXPECT_EQ(State.Project.Form.Width, 300);
}

}  // namespace
}  // namespace corvela
