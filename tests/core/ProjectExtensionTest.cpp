#include <gtest/gtest.h>

#include <functional>

#include "platform/Crc32.h"
#include "platform/TableCodePages.h"
#include "project/ProjectFile.h"
#include "project/ProjectJson.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

using testing::FakeWorld;

const std::string kPath = "C:\\CD\\AutoRun.mnx";
const std::string kTrailer(80, '\x07');

// Little-endian words spelled out independently of ByteWriter.
std::string Le(std::initializer_list<uint32_t> words) {
  std::string out;
  for (uint32_t w : words)
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((w >> (8 * i)) & 0xFF));
  return out;
}

std::string JsonOf(const AppState& state) {
  return ProjectToJson(state, "").dump();
}

// Loads bytes into a fresh world as the designer would, with the stored window position put back
// so that the model can be compared and written again.
struct Loaded {
  FakeWorld World;
  ParseDetails Details;
  ParseOutcome Outcome;
  explicit Loaded(const std::string& bytes, uint32_t codePage = 1252) : Codes(codePage) {
    World.Env.Codes = &Codes;
    Outcome = ParseProject(World.State, bytes, &Details);
    World.State.Project.Form.Left = Details.StoredLeft;
    World.State.Project.Form.Top = Details.StoredTop;
  }
  const MenuProject& Project() const { return World.State.Project; }
  TableCodePages Codes;
};

// Text in four scripts besides Western European, in strings of every record kind.
void WriteInManyScripts(AppState& state) {
  testing::FillEveryKind(state);
  MenuProject& p = state.Project;
  p.Form.Caption = u8"Μενού 菜单";
  p.StartLink.Target = u8"\\العربية\\setup.exe";
  p.Objects[0]->AsLabel()->Caption = u8"Καλώς ήρθατε 😀";
  p.Objects[0]->AsLabel()->Font.Name = u8"微软雅黑";
  p.Objects[1]->AsButton()->Caption = u8"Installer ✓";
  p.Objects[2]->Base().Hint = u8"صورة";
  p.Objects[4]->FileName = u8"\\文档\\index.html";
}

TEST(ProjectExtension, TheBlockFollowsTheTrailerByteForByte) {
  FakeWorld world;
  NewProject(world.State);
  world.State.Project.Form.Caption = "?";
  const std::string body = SerializeProject(world.State, kTrailer).value();
  world.State.Project.Form.Caption = u8"Ω";
  // The caption is the file's seventh string: icon, sound and the start link's four come first.
  const std::string entries = Le({1}) + "CPAG" + Le({4, 1252}) + "UTF8" + Le({10, 6, 0x6464C2B0u}) + u8"Ω";
  const std::string block = entries + Le({0xDC737F58u}) + Le({38}) + "MNX+";
  EXPECT_EQ(SerializeProject(world.State, kTrailer), body + block);
}

TEST(ProjectExtension, TextOfEveryScriptComesBackAndWritesTheSameBytes) {
  FakeWorld world;
  WriteInManyScripts(world.State);
  const std::string file = SerializeProject(world.State, kTrailer).value();
  // Only what code page 1252 cannot hold goes into the block; "Installer ✓" is one of them.
  EXPECT_EQ(ReadExtensionBlock(file, 4).Strings.size(), 7u);

  Loaded back(file);
  ASSERT_EQ(back.Outcome, ParseOutcome::Loaded);
  EXPECT_EQ(back.Details.Extension, ExtensionState::Read);
  EXPECT_EQ(back.Details.Trailer, kTrailer);
  EXPECT_EQ(JsonOf(back.World.State), JsonOf(world.State));
  EXPECT_TRUE(SerializeProject(back.World.State, back.Details.Trailer) == file);
}

TEST(ProjectExtension, EightBitProjectsAreWrittenAsBeforeWithNoBlock) {
  // Western text, and a string of every byte written by a platform without code pages, as an
  // 8-bit version wrote it.
  FakeWorld old;
  old.Env.Codes = nullptr;
  testing::FillEveryKind(old.State);
  old.State.Project.Form.Caption = "Men\xFC \x80";
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte.push_back(static_cast<char>(b));
  old.State.Project.Objects[3]->ReservedText = everyByte;
  CentreWindowOnScreen(old.State);  // where a load puts the window
  ASSERT_TRUE(SaveProjectFile(old.State, kPath));
  const std::string file = old.Files.Files[kPath];

  FakeWorld world;
  world.Files.Files[kPath] = file;
  ASSERT_TRUE(LoadProject(world.State, kPath));
  EXPECT_EQ(world.State.Project.Form.Caption, u8"Menü €");
  ASSERT_TRUE(SaveProjectFile(world.State, kPath));
  const std::string again = world.Files.Files[kPath];
  // Identical but for the trailer's tick counts: no block, no byte changed.
  EXPECT_EQ(ReadExtensionBlock(again, 4).State, ExtensionState::None);
  ASSERT_EQ(again.size(), file.size());
  EXPECT_TRUE(again.substr(0, again.size() - 80) == file.substr(0, file.size() - 80));
}

// A caller that still hands over 8-bit text loses nothing: its bytes go to the file as they are
// (an entry of bytes that are not UTF-8 would make a reader refuse the whole block).
TEST(ProjectExtension, TextThatIsNotUtf8IsWrittenAsItIs) {
  FakeWorld world;
  NewProject(world.State);
  world.State.Project.Form.Caption = "Install \xC9" "dition";
  const std::string file = SerializeProject(world.State, kTrailer).value();
  EXPECT_EQ(ReadExtensionBlock(file, 4).State, ExtensionState::None);
  EXPECT_NE(file.find("Install \xC9" "dition"), std::string::npos);
  EXPECT_EQ(Loaded(file).Project().Form.Caption, u8"Install Édition");
}

// A Greek caption and a Chinese label caption: what each untrustworthy block leaves of them.
TEST(ProjectExtension, ABlockThatCannotBeTrustedLeavesTheEightBitText) {
  FakeWorld world;
  NewProject(world.State);
  world.State.Project.Form.Caption = u8"Μενού";
  world.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Label));
  world.State.Project.Objects[0]->AsLabel()->Caption = u8"菜单";
  const std::string file = SerializeProject(world.State, kTrailer).value();
  const ExtensionBlock written = ReadExtensionBlock(file, 4);
  ASSERT_EQ(written.Strings.size(), 2u);
  const size_t blockStart = written.Start;
  const size_t blockLength = file.size() - 8 - blockStart;
  // The block with its bytes changed by edit and its CRC made right again.
  auto reSealed = [&](const std::function<void(std::string&)>& edit) {
    std::string block = file.substr(blockStart, blockLength - 4);
    edit(block);
    return file.substr(0, blockStart) + block + Le({Crc32(block), static_cast<uint32_t>(block.size() + 4)}) + "MNX+";
  };
  std::string body8 = file;
  body8.replace(body8.find("?????"), 5, "Hello");

  struct Case {
    const char* Why;
    std::string File;
    ExtensionState State;
    const char* Caption;
    const char* Label;
  };
  const Case cases[] = {
      {"whole", file, ExtensionState::Read, u8"Μενού", u8"菜单"},
      {"a byte of the text changed under the checksum",
       [&] {
         std::string f = file;
         f[f.find(u8"菜")] ^= 1;
         return f;
       }(),
       ExtensionState::Ignored, "?????", "??"},
      {"cut off: no footer, so no block", file.substr(0, file.size() - 5), ExtensionState::None, "?????", "??"},
      {"a later version", reSealed([](std::string& b) { b[0] = 2; }), ExtensionState::Ignored, "?????", "??"},
      {"a footer claiming more than the file", file.substr(0, file.size() - 8) + Le({0xFFFFFFF0u}) + "MNX+",
       ExtensionState::Ignored, "?????", "??"},
      {"an entry claiming more than the block", reSealed([](std::string& b) { b[8] = '\x7F'; }),
       ExtensionState::Ignored, "?????", "??"},
      {"strings out of order",
       file.substr(0, blockStart) + ExtensionBlockBytes(1252, {written.Strings[1], written.Strings[0]}, {}, {}).value(),
       ExtensionState::Ignored, "?????", "??"},
      {"text that is not UTF-8", reSealed([](std::string& b) { b[b.size() - 1] = '\xFF'; }), ExtensionState::Ignored,
       "?????", "??"},
      // An 8-bit tool rewrote the caption: its text wins, the rest of the block still counts.
      {"the caption's 8-bit bytes changed", body8, ExtensionState::Read, "Hello", u8"菜单"},
  };
  for (const Case& c : cases) {
    Loaded back(c.File);
    ASSERT_EQ(back.Outcome, ParseOutcome::Loaded) << c.Why;
    EXPECT_EQ(back.Details.Extension, c.State) << c.Why;
    EXPECT_EQ(back.Project().Form.Caption, c.Caption) << c.Why;
    EXPECT_EQ(back.Project().Objects.at(0)->AsLabel()->Caption, c.Label) << c.Why;
  }
}

// Only a made-up file has a block that reaches back into the settings; the settings still load.
TEST(ProjectExtension, ABlockThatClaimsPartOfTheSettingsDoesNotFailTheLoad) {
  FakeWorld world;
  NewProject(world.State);
  // The start sound's bytes begin a well-formed block: version 1 and one entry whose length runs
  // over the rest of the settings and the trailer.
  const std::string head = Le({1}) + "XSET" + Le({0});
  world.State.Project.StartSound = head;
  std::string file = SerializeProject(world.State, kTrailer).value();
  const size_t at = file.find(head);
  file.replace(at + 8, 4, Le({static_cast<uint32_t>(file.size() - at - head.size())}));
  const std::string block = file.substr(at);
  file += Le({Crc32(block), static_cast<uint32_t>(block.size() + 4)}) + "MNX+";
  ASSERT_EQ(ReadExtensionBlock(file, 4).State, ExtensionState::Read);

  Loaded back(file);
  ASSERT_EQ(back.Outcome, ParseOutcome::Loaded);
  EXPECT_EQ(back.Details.Extension, ExtensionState::Ignored);
  EXPECT_EQ(back.Project().Form.Caption, "AutoRun");
}

// Only a made-up trailer can end like a block; written back without a block of its own, the file
// would load with that block's text.
TEST(ProjectExtension, ATrailerThatEndsLikeABlockIsNotTakenForOne) {
  FakeWorld world;
  NewProject(world.State);
  world.State.Project.Form.Caption = "Menu";
  const std::string trailer = kTrailer + ExtensionBlockBytes(1252, {{6, Crc32("Menu"), "Other"}}, {}, {}).value();
  Loaded back(SerializeProject(world.State, trailer).value());
  EXPECT_EQ(back.Project().Form.Caption, "Menu");
  EXPECT_EQ(back.Details.Trailer, trailer);
}

TEST(ProjectExtension, TheRecordedCodePageReadsTheEightBitStrings) {
  FakeWorld greek;
  TableCodePages codes(1253);
  greek.Env.Codes = &codes;
  NewProject(greek.State);
  greek.State.Project.Form.Caption = u8"Μενού";     // fits 1253
  greek.State.Project.StartSound = u8"\\聲音.wav";  // does not: the block records 1253
  const std::string file = SerializeProject(greek.State, kTrailer).value();
  EXPECT_NE(file.find("\xCC\xE5\xED\xEF\xFD"), std::string::npos);

  Loaded western(file, 1252);
  EXPECT_EQ(western.Details.CodePage, 1253u);
  EXPECT_EQ(western.Project().Form.Caption, u8"Μενού");
  EXPECT_EQ(western.Project().StartSound, u8"\\聲音.wav");
}

TEST(ProjectExtension, EntriesOfLaterVersionsSurviveLoadAndSave) {
  const ExtensionEntry later{ExtensionTag("XSET"), std::string("\x00\x01\xFF", 3)};
  struct Case {
    const char* Why;
    const char* Caption;
  };
  const Case cases[] = {
      {"beside Unicode strings", u8"Μενού"},
      {"alone: the block is written for it", "Menu"},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    NewProject(world.State);
    world.State.Project.Form.Caption = c.Caption;
    world.State.Project.UnknownExtensions = {later};

    FakeWorld next;
    next.Files.Files[kPath] = SerializeProject(world.State, kTrailer).value();
    ASSERT_TRUE(LoadProject(next.State, kPath)) << c.Why;
    EXPECT_EQ(next.State.Project.UnknownExtensions, std::vector<ExtensionEntry>{later}) << c.Why;
    next.State.Project.Form.Caption = u8"Ωμέγα";
    ASSERT_TRUE(SaveProjectFile(next.State, kPath)) << c.Why;
    const ExtensionBlock block = ReadExtensionBlock(next.Files.Files[kPath], 4);
    EXPECT_EQ(block.State, ExtensionState::Read) << c.Why;
    EXPECT_EQ(block.Unknown, std::vector<ExtensionEntry>{later}) << c.Why;
    EXPECT_EQ(block.Strings.size(), 1u) << c.Why;
  }
}

}  // namespace
}  // namespace corvela

namespace corvela {
namespace {

TEST(ProjectExtension, TheStartPageOptionTravelsInTheBlockOnlyWhileOn) {
  testing::FakeWorld world;
  testing::FillEveryKind(world.State);
  world.State.Project.Form.Caption = "plain";
  const std::string without = SerializeProject(world.State, kTrailer).value();
  world.State.Project.PublishStartPage = true;
  const std::string with = SerializeProject(world.State, kTrailer).value();
  // The 8-bit file gains a block holding the code page and the option, nothing else.
  ASSERT_EQ(with.substr(0, without.size()), without);
  const ExtensionBlock block = ReadExtensionBlock(with, 4);
  EXPECT_EQ(block.State, ExtensionState::Read);
  EXPECT_TRUE(block.StartPage);
  EXPECT_TRUE(block.Unknown.empty());
  EXPECT_NE(with.find("PAGE" + Le({4, 1})), std::string::npos);

  Loaded back(with);
  ASSERT_EQ(back.Outcome, ParseOutcome::Loaded);
  EXPECT_TRUE(back.Project().PublishStartPage);
  EXPECT_EQ(SerializeProject(back.World.State, kTrailer), with);
  // Switched off again, the project is byte for byte the one that never had it.
  back.World.State.Project.PublishStartPage = false;
  EXPECT_EQ(SerializeProject(back.World.State, kTrailer), without);
  Loaded plain(without);
  EXPECT_FALSE(plain.Project().PublishStartPage);
}

}  // namespace
}  // namespace corvela
