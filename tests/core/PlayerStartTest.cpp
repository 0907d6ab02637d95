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
