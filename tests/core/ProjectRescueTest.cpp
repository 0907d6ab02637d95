#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "project/ProjectRescue.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

std::string RecordOf(const MenuObject& obj) {
  ByteWriter out;
  EXPECT_TRUE(WriteObject(out, obj));
  return out.Take();
}

// The demo disc's project as the build makes it, and its objects as a whole load reads them.
struct DemoProject : ::testing::Test {
  std::string Bytes;
  std::vector<std::string> Records;
  std::vector<size_t> Ends;  // where each object's record ends in the file
  ParseDetails Whole;
  void SetUp() override {
    std::ifstream in(std::filesystem::path(CORVELA_DEMO_DIR) / "AutoRun.mnx", std::ios::binary);
    Bytes.assign(std::istreambuf_iterator<char>(in), {});
    FakeWorld world;
    ASSERT_EQ(ParseProject(world.State, Bytes, &Whole), ParseOutcome::Loaded);
    for (const auto& obj : world.State.Project.Objects) Records.push_back(RecordOf(*obj));
    ASSERT_GE(Records.size(), 3u);
    // The file's strings are 8-bit: the records' ends are found in the file's own bytes.
    const size_t first = Whole.ObjectCountOffset + 4;
    ByteReader objects(Bytes.data() + first, Bytes.size() - first);
    for (size_t i = 0; i < Records.size(); ++i) {
      MenuObject obj;
      ASSERT_TRUE(ReadObject(objects, obj));
      Ends.push_back(first + objects.Offset());
    }
  }
  size_t EndOfObject(size_t i) const { return Ends[i]; }
};

TEST_F(DemoProject, ACutFileKeepsTheObjectsReadWholeAndSaysWhereItStopped) {
  struct Cut {
    const char* Why;
    size_t At;
    size_t Objects;
  };
  const size_t body = EndOfObject(Records.size() - 1);
  const Cut cuts[] = {
      {"in the settings, before the window", 10, 0},
      {"just after the object count", Whole.ObjectCountOffset + 4, 0},
      {"one byte into the second object", EndOfObject(0) + 1, 1},
      {"one byte short of the third object's end", EndOfObject(2) - 1, 2},
      {"in the reserved word after the last object", body + 2, Records.size()},
  };
  for (const Cut& c : cuts) {
    FakeWorld world;
    const PartialProject partial = ReadPartialProject(world.State, Bytes.substr(0, c.At));
    ASSERT_EQ(partial.Outcome, ParseOutcome::IoError) << c.Why;
    EXPECT_EQ(partial.FileSize, c.At) << c.Why;
    EXPECT_LE(partial.ReadUpTo, c.At) << c.Why;
    // It read at least up to the end of the last object it kept.
    if (c.Objects > 0) {
      EXPECT_GE(partial.ReadUpTo, EndOfObject(c.Objects - 1)) << c.Why;
    }
    ASSERT_EQ(partial.ObjectsRead, c.Objects) << c.Why;
    ASSERT_EQ(world.State.Project.Objects.size(), c.Objects) << c.Why;
    for (size_t i = 0; i < c.Objects; ++i) EXPECT_EQ(RecordOf(*world.State.Project.Objects[i]), Records[i]) << c.Why;
  }
}

// A count that claims far more objects than the file holds reserves nothing for them: the real
// objects are read and the claim ends where the bytes do.
TEST_F(DemoProject, ACountThatLiesAllocatesNothingForItsClaim) {
  std::string lying = Bytes.substr(0, EndOfObject(Records.size() - 1));
  for (int i = 0; i < 4; ++i) lying[Whole.ObjectCountOffset + i] = static_cast<char>(i == 3 ? 0x7F : 0xFF);
  FakeWorld world;
  const PartialProject partial = ReadPartialProject(world.State, lying);
  ASSERT_EQ(partial.Outcome, ParseOutcome::IoError);
  EXPECT_EQ(partial.ObjectsRead, Records.size());
  EXPECT_EQ(partial.ReadUpTo, lying.size());
}

TEST_F(DemoProject, TheDesignerOpensWhatCouldBeReadOnlyOnYes) {
  FakeWorld world;
  world.State.CDFolder = "D:\\Menu";
  world.Files.Files["D:\\Menu\\AutoRun.mnx"] = Bytes.substr(0, EndOfObject(1) + 3);
  std::vector<MissingFile> missing;  // the demo's media are not in the fake folder
  world.State.CollectMissing = &missing;
  world.Ui.Answers = {MessageResult::No};
  EXPECT_EQ(LoadProjectOrRescue(world.State, "D:\\Menu\\AutoRun.mnx"), DesignLoad::Unreadable);
  ASSERT_EQ(world.Ui.Shown.size(), 1u);
  EXPECT_EQ(world.Ui.Shown[0].Text.rfind("\"D:\\Menu\\AutoRun.mnx\" is damaged: it could be read only up to byte ", 0),
            0u);
  EXPECT_NE(world.Ui.Shown[0].Text.find("Open the menu's settings and the 2 objects that could be read?"),
            std::string::npos);

  world.Ui.Answers = {MessageResult::Yes};
  EXPECT_EQ(LoadProjectOrRescue(world.State, "D:\\Menu\\AutoRun.mnx"), DesignLoad::Rescued);
  EXPECT_EQ(world.State.Project.Objects.size(), 2u);
  EXPECT_TRUE(world.State.Modified);

  world.Files.Files["D:\\Menu\\AutoRun.mnx"] = Bytes;
  EXPECT_EQ(LoadProjectOrRescue(world.State, "D:\\Menu\\AutoRun.mnx"), DesignLoad::Loaded);
  EXPECT_FALSE(world.State.Modified);
  EXPECT_EQ(world.Ui.Shown.size(), 2u);
}

}  // namespace
}  // namespace corvela
