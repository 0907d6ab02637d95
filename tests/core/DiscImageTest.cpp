// The image writer's own rules; the images themselves are read back by independent readers in
// tests/iso/check_image.py.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
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
  // The old image stays until the new one is complete: its room is not free meanwhile.
  const std::string withOld = FreeSpaceShortage(entries, {"/tmp", big, big}, {"/discs", big + 1, image - 1}, 600u << 20);
  EXPECT_NE(withOld.find("The old image (600 MB) stays until the new one is complete."), std::string::npos) << withOld;
  EXPECT_EQ(FreeSpaceShortage(entries, {"/tmp", big, big}, {"/discs", big + 1, image}, 600u << 20), "");
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
  static std::unique_ptr<DiscImageWriter> Writer() {
    return MakeLibarchiveImageWriter([](const NativePath& from, const NativePath& to) {
      std::error_code ec;
      fs::rename(from, to, ec);
      return ec ? ec.message() : std::string();
    });
  }
  void PlaceOldImage() const { std::ofstream(root_ / "cd.iso", std::ios::binary) << kOldImage; }
  // The old image byte for byte, and nothing else beside the CD folder.
  void ExpectOldImageAlone(const std::string& why) const {
    std::ifstream in(root_ / "cd.iso", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), kOldImage) << why;
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(root_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"cd", "cd.iso"})) << why;
  }

  static constexpr const char* kOldImage = "the image of an earlier day";
  fs::path root_;
};

TEST_F(DiscImageWriterTest, ProgressClimbsToTheTotalOnlyAtTheEndAndTheImageReplacesTheOldOne) {
  PlaceOldImage();
  std::vector<std::pair<uint64_t, uint64_t>> calls;
  DiscImageResult result = Writer()->Write(Request(), [&](uint64_t done, uint64_t total) {
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
  EXPECT_FALSE(fs::exists(ImageTemporaryPath(Request().Image)));
}

TEST_F(DiscImageWriterTest, CancelLeavesTheOldImageAndNoPartialOne) {
  PlaceOldImage();
  const uint64_t fileData = (3 << 20) + 1;
  // While the files are read, and while the image is written out after them.
  for (uint64_t cancelAfter : {uint64_t{0}, fileData}) {
    DiscImageResult result = Writer()->Write(
        Request(), [&](uint64_t done, uint64_t) { return done <= cancelAfter; });
    EXPECT_EQ(result.Outcome, DiscImageOutcome::Cancelled) << cancelAfter;
    ExpectOldImageAlone("cancelled after " + std::to_string(cancelAfter));
  }
}

TEST_F(DiscImageWriterTest, AFailureLeavesTheOldImageAndNoPartialOne) {
  PlaceOldImage();
  // A file that shrinks while the image is made: a read failure halfway.
  DiscImageResult result = Writer()->Write(Request(), [&](uint64_t, uint64_t) {
    fs::resize_file(root_ / "cd" / "sub" / "b.txt", 0);
    return true;
  });
  EXPECT_EQ(result.Outcome, DiscImageOutcome::Failed);
  EXPECT_NE(result.Error.find("b.txt"), std::string::npos) << result.Error;
  ExpectOldImageAlone("a source file shrank");

  // The replacement itself fails (the image is in use elsewhere).
  std::ofstream(root_ / "cd" / "sub" / "b.txt") << "b";
  result = MakeLibarchiveImageWriter([](const NativePath&, const NativePath&) { return std::string("In use."); })
               ->Write(Request(), nullptr);
  EXPECT_EQ(result.Outcome, DiscImageOutcome::Failed);
  EXPECT_NE(result.Error.find("In use."), std::string::npos) << result.Error;
  ExpectOldImageAlone("the replacement failed");
}

// A full disk as the image's own writes meet it: a file size limit turns them away with EFBIG
// once the temporary copy (below the limit) is made.
TEST_F(DiscImageWriterTest, AFullDiskLeavesTheOldImageAndNoPartialOne) {
  PlaceOldImage();
  std::vector<DiscImageEntry> entries;
  std::string error;
  ASSERT_TRUE(CollectDiscImageEntries(Request().Folder, entries, error)) << error;
  rlimit before{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  rlimit limited = before;
  // Above the temporary copy, below the image and its 32 KB system area in front of the data.
  limited.rlim_cur = TemporaryCopyBytes(entries) + 8192;
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const DiscImageResult result = Writer()->Write(Request(), nullptr);
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(result.Outcome, DiscImageOutcome::Failed);
  EXPECT_NE(result.Error.find("Cannot write file"), std::string::npos) << result.Error;
  ExpectOldImageAlone("the disk was full");
}

TEST(CollectDiscImageEntries, LeavesLinksOut) {
  const fs::path root = fs::temp_directory_path() / "corvela-disc-image-links";
  fs::remove_all(root);
  fs::create_directories(root / "cd" / "sub");
  std::ofstream(root / "outside.txt") << "not on the disc";
  std::ofstream(root / "cd" / "sub" / "in.txt") << "on the disc";
  fs::create_symlink(root / "outside.txt", root / "cd" / "file-link");
  fs::create_directory_symlink(root, root / "cd" / "sub" / "loop");  // would walk for ever
  fs::create_symlink(root / "gone", root / "cd" / "dangling");
  std::vector<DiscImageEntry> entries;
  std::string error;
  ASSERT_TRUE(CollectDiscImageEntries((root / "cd").native(), entries, error)) << error;
  std::vector<NativePath> names;
  for (const DiscImageEntry& e : entries) names.push_back(e.InImage);
  EXPECT_EQ(names, (std::vector<NativePath>{"sub", "sub/in.txt"}));
  fs::remove_all(root);
}

TEST_F(DiscImageWriterTest, RefusesAnImageInsideItsOwnFolder) {
  DiscImageRequest request = Request();
  request.Image = (root_ / "cd" / "sub" / "cd.iso").native();
  DiscImageResult result = Writer()->Write(request, nullptr);
  EXPECT_EQ(result.Outcome, DiscImageOutcome::Failed);
  EXPECT_NE(result.Error.find("would hold itself"), std::string::npos) << result.Error;
  EXPECT_FALSE(fs::exists(request.Image));
  // The folder named through a link is the same folder.
  fs::create_directory_symlink(root_ / "cd", root_ / "cd-link");
  request.Folder = (root_ / "cd-link").native();
  EXPECT_NE(ImagePlaceProblem(request.Image, request.Folder), "");
  EXPECT_EQ(ImagePlaceProblem((root_ / "cd.iso").native(), request.Folder), "");
  EXPECT_EQ(ImagePlaceProblem((root_ / "cd-other.iso").native(), (root_ / "cd").native()), "") << "a name that starts alike";
}

}  // namespace
}  // namespace corvela
