// The image writer's own rules; the images themselves are read back by independent readers in
// tests/iso/check_image.py.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "project/DiscImage.h"

namespace corvela {
namespace {

namespace fs = std::filesystem;

TEST(VolumeLabelFrom, MapsTextToThePrimaryDescriptorsCharacters) {
  struct Case {
    const char* Text;
    const char* Label;
    const char* Why;
  } cases[] = {
      {"AutoRun", "AUTORUN", "the new project's caption"},
      {"Aurora Photo Suite 3.0 - Setup!", "AURORA_PHOTO_SUITE_3_0_SETUP", "a run of other characters is one _, none at the end"},
      {"Caf\xE9 M\xFCller \xDF", "CAFE_MULLER_SS", "a caption's 8-bit accented letters fold to their base letters"},
      {"Caf\xC3\xA9 M\xC3\xBCller", "CAFE_MULLER", "a label typed in a UTF-8 terminal"},
      {"\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1", kFallbackVolumeLabel, "nothing left of a Greek caption"},
      {"", kFallbackVolumeLabel, "an empty caption"},
      {"1234567890123456789012345678901234567890", "12345678901234567890123456789012", "cut to 32"},
      {"abcdefghijklmnopqrstuvwxyz01234 x", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", "no _ left at the cut"},
  };
  for (const Case& c : cases) EXPECT_EQ(VolumeLabelFrom(c.Text), c.Label) << c.Why;
}

TEST(IsInterruptedSaveName, OnlyTheSafeSavesTemporaryNames) {
  EXPECT_TRUE(IsInterruptedSaveName("AutoRun.mnx.tmp"));
  EXPECT_TRUE(IsInterruptedSaveName("autorun.inf.SAVING"));
  EXPECT_FALSE(IsInterruptedSaveName("notes.tmp")) << "a file of the user's";
  EXPECT_FALSE(IsInterruptedSaveName(".tmp"));
  EXPECT_FALSE(IsInterruptedSaveName("AutoRun.mnx"));
}

TEST(FreeSpaceShortage, TheTemporaryCopyAndTheImageEachNeedRoom) {
  std::vector<DiscImageEntry> entries(2);
  entries[0].Size = 700u << 20;
  entries[1].Size = 1;  // still a whole sector
  const uint64_t copy = TemporaryCopyBytes(entries);
  ASSERT_EQ(copy, (700u << 20) + 2048);
  const uint64_t image = EstimatedImageBytes(entries);
  const uint64_t big = uint64_t{1} << 40;

  EXPECT_EQ(FreeSpaceShortage(entries, {"/tmp", big, copy}, {"/discs", big + 1, image}), "");
  const std::string tempFull = FreeSpaceShortage(entries, {"/tmp", big, copy - 1}, {"/discs", big + 1, big});
  EXPECT_EQ(tempFull, "Not enough free space for the image's temporary copy in \"/tmp\": 700 MB needed, 700 MB free.");
  EXPECT_NE(FreeSpaceShortage(entries, {"/tmp", big, big}, {"/discs", big + 1, image - 1}).find("for the image in \"/discs\""),
            std::string::npos);
  // One volume: room for one copy is not enough.
  EXPECT_NE(FreeSpaceShortage(entries, {"/tmp", big, copy + image - 1}, {"/discs", big, copy + image - 1}), "");
  EXPECT_EQ(FreeSpaceShortage(entries, {"/tmp", big, copy + image}, {"/discs", big, copy + image}), "");
}

class DiscImageWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("corvela-disc-image-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "cd" / "sub");
    std::ofstream(root_ / "cd" / "a.bin", std::ios::binary) << std::string(3 << 20, 'a');
    std::ofstream(root_ / "cd" / "sub" / "b.txt") << "b";
  }
  void TearDown() override { fs::remove_all(root_); }

  DiscImageRequest Request() const { return {(root_ / "cd").native(), (root_ / "cd.iso").native(), "TEST"}; }

  fs::path root_;
};

TEST_F(DiscImageWriterTest, ProgressClimbsToTheTotalOnlyAtTheEnd) {
  std::vector<std::pair<uint64_t, uint64_t>> calls;
  DiscImageResult result = MakeLibarchiveImageWriter()->Write(Request(), [&](uint64_t done, uint64_t total) {
    calls.emplace_back(done, total);
    return true;
  });
  ASSERT_EQ(result.Outcome, DiscImageOutcome::Written) << result.Error;
  EXPECT_EQ(result.ImageBytes, fs::file_size(root_ / "cd.iso"));
  ASSERT_GE(calls.size(), 3u);
  for (size_t i = 0; i + 1 < calls.size(); ++i) {
    EXPECT_LT(calls[i].first, calls[i].second);
    EXPECT_LE(calls[i].first, calls[i + 1].first);
  }
  EXPECT_EQ(calls.back().first, calls.back().second);
}

TEST_F(DiscImageWriterTest, CancelRemovesThePartialImage) {
  const uint64_t fileData = (3 << 20) + 1;
  // While the files are read, and while the image is written out after them.
  for (uint64_t cancelAfter : {uint64_t{0}, fileData}) {
    DiscImageResult result = MakeLibarchiveImageWriter()->Write(
        Request(), [&](uint64_t done, uint64_t) { return done <= cancelAfter; });
    EXPECT_EQ(result.Outcome, DiscImageOutcome::Cancelled) << cancelAfter;
    EXPECT_FALSE(fs::exists(root_ / "cd.iso")) << cancelAfter;
  }
}

TEST_F(DiscImageWriterTest, RefusesAnImageInsideItsOwnFolder) {
  DiscImageRequest request = Request();
  request.Image = (root_ / "cd" / "sub" / "cd.iso").native();
  DiscImageResult result = MakeLibarchiveImageWriter()->Write(request, nullptr);
  EXPECT_EQ(result.Outcome, DiscImageOutcome::Failed);
  EXPECT_NE(result.Error.find("inside the folder"), std::string::npos) << result.Error;
  EXPECT_FALSE(fs::exists(request.Image));
}

}  // namespace
}  // namespace corvela
