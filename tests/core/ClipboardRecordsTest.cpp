#include <gtest/gtest.h>

#include "designer/ClipboardRecords.h"
#include "project/ProjectFile.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

std::string RecordOf(const MenuObject& obj) {
  ByteWriter out;
  EXPECT_TRUE(WriteObject(out, obj));
  return out.Take();
}

struct ClipboardFixture : ::testing::Test {
  testing::FakeWorld World;
  MenuProject& Project = World.State.Project;
  ClipboardFixture() {
    testing::FillEveryKind(World.State);
    // Records between designers carry the model's UTF-8, whatever the code page can hold.
    Project.Objects[0]->Base().Hint = u8"提示 Ω";
  }
  void Select(std::vector<size_t> indices) {
    for (auto& obj : Project.Objects) obj->Selected = false;
    for (size_t i : indices) Project.Objects[i]->Selected = true;
  }
};

TEST_F(ClipboardFixture, EveryKindRoundTripsWithEveryStoredField) {
  for (auto& obj : Project.Objects) obj->Selected = true;
  const auto bytes = WriteClipboardRecords(Project);
  ASSERT_TRUE(bytes);
  const auto objects = ReadClipboardRecords(*bytes);
  ASSERT_TRUE(objects);
  ASSERT_EQ(objects->size(), Project.Objects.size());
  for (size_t i = 0; i < objects->size(); ++i) {
    EXPECT_EQ(RecordOf(*(*objects)[i]), RecordOf(*Project.Objects[i])) << i;
    EXPECT_FALSE((*objects)[i]->Selected);
  }
}

TEST_F(ClipboardFixture, OnlyTheSelectionIsCopiedAndNothingWithoutOne) {
  Select({});
  EXPECT_FALSE(WriteClipboardRecords(Project));
  Select({2, 5});
  const auto objects = ReadClipboardRecords(WriteClipboardRecords(Project).value());
  ASSERT_TRUE(objects && objects->size() == 2);
  EXPECT_EQ((*objects)[0]->Kind, ObjectKind::Image);
  EXPECT_EQ((*objects)[1]->Kind, ObjectKind::Rtf);
}

TEST_F(ClipboardFixture, BadDataIsRefused) {
  Select({0, 1});
  const std::string good = WriteClipboardRecords(Project).value();
  // Every cut short, down to nothing, is refused: the reader never runs past the end.
  for (size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(ReadClipboardRecords(good.substr(0, n))) << n;
  auto patched = [&](size_t offset, uint32_t value) {
    std::string bytes = good;
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
  };
  EXPECT_FALSE(ReadClipboardRecords(patched(0, kProjectMagic))) << "another magic";
  EXPECT_FALSE(ReadClipboardRecords(patched(4, kClipboardVersion + 1))) << "another version";
  EXPECT_FALSE(ReadClipboardRecords(patched(8, 0))) << "no objects";
  EXPECT_FALSE(ReadClipboardRecords(patched(8, 0xFFFFFFFFu))) << "negative count";
  // A count far beyond the data must be refused before anything is made for it.
  EXPECT_FALSE(ReadClipboardRecords(patched(8, 0x7FFFFFFFu))) << "huge count";
  EXPECT_FALSE(ReadClipboardRecords(patched(8, 3))) << "one record fewer than counted";
  EXPECT_FALSE(ReadClipboardRecords(good + '\0')) << "bytes left over";
  std::string badKind = good;
  badKind[12] = 7;
  EXPECT_FALSE(ReadClipboardRecords(badKind)) << "no such kind";
}

// Paste offers to copy files the source folder has: the records say which folder that is, and
// records of an older designer, which do not, still paste.
TEST_F(ClipboardFixture, RecordsCarryTheirCdFolderAndOlderOnesReadWithout) {
  Select({0, 1});
  const std::string bytes = WriteClipboardRecords(Project, u8"E:\\Menü").value();
  std::string folder = "unset";
  ASSERT_TRUE(ReadClipboardRecords(bytes, &folder));
  EXPECT_EQ(folder, u8"E:\\Menü");
  // A version 1 record: the same objects with no folder after them.
  std::string older = WriteClipboardRecords(Project).value();
  older.resize(older.size() - 4);  // the empty folder's length
  older[4] = static_cast<char>(kClipboardVersionWithoutFolder);
  ASSERT_TRUE(ReadClipboardRecords(older, &folder));
  EXPECT_EQ(folder, "");
}

TEST_F(ClipboardFixture, TextHoldsTheCaptionsOfLabelsAndButtons) {
  Select({0, 1, 2});
  EXPECT_EQ(ClipboardText(Project), u8"Caption À\r\nline 2\r\nButton ß");
  Select({2, 3});
  EXPECT_EQ(ClipboardText(Project), "");
}

TEST_F(ClipboardFixture, PasteOffsetsSelectsAndRenamesClashes) {
  Select({1, 2});
  const size_t before = Project.Objects.size();
  const auto placed = PasteObjects(Project, ReadClipboardRecords(WriteClipboardRecords(Project).value()).value());
  ASSERT_EQ(placed, (std::vector<int>{static_cast<int>(before), static_cast<int>(before) + 1}));
  for (size_t i = 0; i < Project.Objects.size(); ++i) EXPECT_EQ(Project.Objects[i]->Selected, i >= before) << i;
  const ControlBase& copy = Project.Objects[before]->Base();
  EXPECT_EQ(copy.Left, Project.Objects[1]->Base().Left + kPasteOffset);
  EXPECT_EQ(copy.Top, Project.Objects[1]->Base().Top + kPasteOffset);
  // The sample's names are Ctl1 to Ctl7: the copies take the next free numbers.
  EXPECT_EQ(copy.Name, "Ctl8");
  EXPECT_EQ(Project.Objects[before + 1]->Base().Name, "Ctl9");
}

TEST_F(ClipboardFixture, PasteAtAPointMovesTheGroupThereKeepingItsShape) {
  Select({1, 2});
  const ControlBase a = Project.Objects[1]->Base(), b = Project.Objects[2]->Base();
  const int32_t left = std::min(a.Left, b.Left), top = std::min(a.Top, b.Top);
  const auto placed =
      PasteObjects(Project, ReadClipboardRecords(WriteClipboardRecords(Project).value()).value(), Point{100, 60});
  const ControlBase& pa = Project.Objects[static_cast<size_t>(placed[0])]->Base();
  const ControlBase& pb = Project.Objects[static_cast<size_t>(placed[1])]->Base();
  EXPECT_EQ(pa.Left, 100 + a.Left - left);
  EXPECT_EQ(pa.Top, 60 + a.Top - top);
  EXPECT_EQ(pb.Left, 100 + b.Left - left);
  EXPECT_EQ(pb.Top, 60 + b.Top - top);
}

TEST(FreshObjectName, KeepsFreeAndEmptyNamesAndNumbersTakenOnes) {
  MenuProject project;
  for (const char* name : {"", "Button1", "Button2", "Logo", "7"}) {
    project.Objects.push_back(std::make_unique<MenuObject>(ObjectKind::Button));
    project.Objects.back()->Base().Name = name;
  }
  EXPECT_EQ(FreshObjectName(project, ""), "");  // designer-made objects have no name
  EXPECT_EQ(FreshObjectName(project, "Button9"), "Button9");
  EXPECT_EQ(FreshObjectName(project, "Button1"), "Button3");
  EXPECT_EQ(FreshObjectName(project, "Logo"), "Logo1");
  EXPECT_EQ(FreshObjectName(project, "7"), "1");
}

}  // namespace
}  // namespace corvela
