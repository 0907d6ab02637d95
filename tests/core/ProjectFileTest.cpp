#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/TableCodePages.h"
#include "project/ProjectFile.h"
#include "project/ProjectJson.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

using testing::FakeWorld;

const std::string kPath = "C:\\CD\\AutoRun.mnx";

// Little-endian bytes spelled out independently of ByteWriter.
struct Bytes {
  std::string Out;
  Bytes& U8(unsigned v) {
    Out.push_back(static_cast<char>(v));
    return *this;
  }
  Bytes& I32(int64_t v) {
    for (int i = 0; i < 4; ++i) U8(static_cast<unsigned>((static_cast<uint64_t>(v) >> (8 * i)) & 0xFF));
    return *this;
  }
  Bytes& Str(const std::string& s) {
    I32(static_cast<int64_t>(s.size()));
    Out += s;
    return *this;
  }
  Bytes& Font(const FontRecord& f) { return Str(f.Name).I32(f.Color).I32(f.Size).U8(f.Style); }
};

// An object record as a Western European machine writes it into the file.
std::string FileRecord(const MenuObject& obj) {
  TableCodePages codes(1252);
  StringEncoder strings(&codes, 1252);
  ByteWriter out(strings);
  EXPECT_TRUE(WriteObject(out, obj));
  return out.Take();
}

std::string JsonOf(const AppState& state) {
  return ProjectToJson(state, "").dump();
}

std::string SavedEveryKind() {
  FakeWorld world;
  testing::FillEveryKind(world.State);
  EXPECT_TRUE(SaveProjectFile(world.State, kPath));
  return world.Files.Files[kPath];
}

// A world whose current project has two objects, so that what a load clears is visible.
void GiveOldProject(FakeWorld& world) {
  NewProject(world.State);
  world.State.Project.FormIcon = "\\old.ico";
  world.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Label));
  world.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Image));
  RenumberTags(world.State);
  world.State.Modified = false;
  world.State.ReservedWord = 77;
}

TEST(ByteReader, ChecksTheOffsetAfterEveryRead) {
  const std::string data = Bytes().U8(0xFE).I32(-2).Str("abc").U8(2).Out;
  ByteReader in(data);
  uint8_t u8 = 0;
  int32_t i32 = 0;
  std::string s;
  bool b = false;
  ASSERT_TRUE(in.U8(u8));
  EXPECT_EQ(u8, 0xFE);
  EXPECT_EQ(in.Offset(), 1u);
  ASSERT_TRUE(in.I32(i32));
  EXPECT_EQ(i32, -2);
  EXPECT_EQ(in.Offset(), 5u);
  ASSERT_TRUE(in.Str(s));
  EXPECT_EQ(s, "abc");
  EXPECT_EQ(in.Offset(), 12u);
  ASSERT_TRUE(in.Bool(b));
  EXPECT_TRUE(b);  // any byte but 0 is true
  EXPECT_EQ(in.Remaining(), 0u);
  EXPECT_FALSE(in.U8(u8));
  EXPECT_EQ(u8, 0xFE);
}

TEST(ByteReader, RefusesStringCountsTheBufferCannotHold) {
  struct Case {
    const char* Why;
    std::string Data;
    bool Reads;
  };
  const Case cases[] = {
      {"negative count", Bytes().I32(-1).Out, false},
      {"most negative count", Bytes().I32(INT32_MIN).Out + "xxxx", false},
      {"one byte more than there is", Bytes().I32(4).Out + "abc", false},
      {"a count of 2^31-1 allocates nothing", Bytes().I32(INT32_MAX).Out + "abc", false},
      {"count cut short", std::string("\x03\x00", 2), false},
      {"exactly what is left", Bytes().I32(3).Out + "abc", true},
      {"empty string", Bytes().I32(0).Out, true},
  };
  for (const Case& c : cases) {
    ByteReader in(c.Data);
    std::string s = "unchanged";
    EXPECT_EQ(in.Str(s), c.Reads) << c.Why;
    if (!c.Reads) {
      EXPECT_EQ(s, "unchanged") << c.Why;
      EXPECT_EQ(in.Offset(), 0u) << c.Why;
    }
  }
}

TEST(ProjectFileRecords, StringAbcIsCountThenBytes) {
  ByteWriter out;
  ASSERT_TRUE(WriteString(out, "abc"));
  EXPECT_EQ(out.Bytes(), std::string("\x03\x00\x00\x00\x61\x62\x63", 7));
}

TEST(ProjectFileRecords, ControlRecordsFollowTheirFieldOrder) {
  auto label = testing::DistinctObject(ObjectKind::Label);
  auto button = testing::DistinctObject(ObjectKind::Button);
  auto image = testing::DistinctObject(ObjectKind::Image);
  auto rtf = testing::DistinctObject(ObjectKind::Rtf);
  const FontRecord lf = label->AsLabel()->Font, bf = button->AsButton()->Font;
  const std::string hint = u8"hint \u00A0";
  Bytes l, b, i, p;
  // Alignment, AutoSize, Caption, Color, Font, Height, Hint, Layout, Left, Name, Top, Transparent, Width, WordWrap.
  l.U8(2).U8(0).Str(u8"Caption À\r\nline 2").I32(0x8000000F).Font(lf).I32(51);
  l.Str(hint + "1").U8(2).I32(-4).Str("Ctl1").I32(-8).U8(1).I32(101).U8(1);
  // Caption, Flat, Font, Height, Hint, Layout, Left, Margin, Name, Spacing, Top, Transparent, Width.
  b.Str(u8"Button ß").U8(1).Font(bf).I32(52).Str(hint + "2").U8(3);
  b.I32(-5).I32(-5).Str("Ctl2").I32(-2).I32(-9).U8(0).I32(102);
  // AutoSize, Center, Height, Hint, Left, Name, Stretch, Top, Transparent, Width.
  i.U8(1).U8(1).I32(53).Str(hint + "3").I32(-6).Str("Ctl3").U8(1).I32(-10).U8(1).I32(103);
  // Height, Hint, Left, Name, Top, Width.
  p.I32(56).Str(hint + "6").I32(-9).Str("Ctl6").I32(-13).I32(106);
  ByteWriter out;
  ASSERT_TRUE(WriteLabel(out, *label->AsLabel()));
  EXPECT_EQ(out.Bytes(), l.Out);
  out = ByteWriter();
  ASSERT_TRUE(WriteButton(out, *button->AsButton()));
  EXPECT_EQ(out.Bytes(), b.Out);
  out = ByteWriter();
  ASSERT_TRUE(WriteImage(out, *image->AsImage()));
  EXPECT_EQ(out.Bytes(), i.Out);
  out = ByteWriter();
  ASSERT_TRUE(WritePane(out, std::get<PaneControl>(rtf->Control)));
  EXPECT_EQ(out.Bytes(), p.Out);
}

TEST(ProjectFileRecords, ObjectRecordPutsKindLinkFilesAndFontsBeforeTheControl) {
  auto obj = testing::DistinctObject(ObjectKind::Movie);
  const ObjectLink& l = obj->Link;
  Bytes expected;
  expected.U8(6).U8(static_cast<unsigned>(l.Action)).I32(l.ShowCommand).Str(l.SoundFile).Str(l.Target);
  expected.Str(l.Parameters).Str(l.StartDirectory).Str(obj->ReservedText).Str(obj->HotTrackBitmapFile);
  expected.Str(obj->HotTrackImageFile).Font(obj->HotTrackFont).Font(obj->NormalFont).Str(obj->BitmapFile);
  expected.Str(obj->FileName);
  ByteWriter out, pane;
  ASSERT_TRUE(WriteObject(out, *obj));
  ASSERT_TRUE(WritePane(pane, std::get<PaneControl>(obj->Control)));
  EXPECT_EQ(out.Bytes(), expected.Out + pane.Bytes());
}

TEST(ProjectFileRecords, RefusesToWriteAnObjectItsKindCannotReadBack) {
  auto wrongKind = MakeNewObject(ObjectKind::Label);
  wrongKind->Kind = static_cast<ObjectKind>(7);
  auto mismatched = MakeNewObject(ObjectKind::Button);
  mismatched->Control = LabelControl{};
  ByteWriter out;
  EXPECT_FALSE(WriteObject(out, *wrongKind));
  EXPECT_FALSE(WriteObject(out, *mismatched));
}

TEST(SaveProjectFile, NewProjectIsExactly181Bytes) {
  FakeWorld world;  // 1280 x 1024 screen: the window sits at 340, 302
  NewProject(world.State);
  ASSERT_TRUE(SaveProjectFile(world.State, kPath));
  Bytes expected;
  expected.I32(0x55AAAA55).Str("").Str("").I32(0xFF0000).I32(0xFFFFFF).U8(1);
  expected.U8(0).I32(1).Str("").Str("").Str("").Str("");
  expected.U8(biSystemMenu).U8(2).I32(0).Str("AutoRun").I32(420).I32(340).U8(4).I32(302).I32(600).U8(0).I32(0).U8(0);
  expected.U8(0).U8(0).U8(0).I32(1).I32(0);
  expected.I32(0).I32(0);
  for (uint32_t tick = 1000; tick < 1020; ++tick) expected.I32(tick);
  ASSERT_EQ(expected.Out.size(), 181u);
  EXPECT_EQ(world.Files.Files[kPath], expected.Out);
  EXPECT_EQ(world.Ui.Shown.size(), 0u);
}

TEST(SaveProjectFile, ReportsTheCreateFailureAndKeepsTheOldFile) {
  FakeWorld world;
  NewProject(world.State);
  world.Files.Files[kPath] = "old";
  world.Files.Unwritable.insert(kPath);
  EXPECT_FALSE(SaveProjectFile(world.State, kPath));
  EXPECT_EQ(world.Ui.Texts(), std::vector<std::string>{"Cannot create file \"" + kPath + "\"."});
  EXPECT_EQ(world.Ui.Shown[0].Caption, "Error");
  EXPECT_EQ(world.Files.Files[kPath], "old");
}

TEST(SaveProjectFile, AnUnwritableObjectIsOneIoErrorAndWritesNothing) {
  FakeWorld world;
  NewProject(world.State);
  world.Files.Files[kPath] = "old";
  world.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Button));
  world.State.Project.Objects.back()->Control = ImageControl{};
  EXPECT_FALSE(SaveProjectFile(world.State, kPath));
  EXPECT_EQ(world.Ui.Texts(), std::vector<std::string>{"IO Error"});
  EXPECT_EQ(world.Files.Files[kPath], "old");
}

TEST(LoadProject, GivesBackTheSavedModel) {
  FakeWorld saved;
  testing::FillEveryKind(saved.State);
  ASSERT_TRUE(SaveProjectFile(saved.State, kPath));

  FakeWorld world;
  testing::RecordingView view;
  world.State.View = &view;
  GiveOldProject(world);
  view.Calls.clear();
  world.Files.Files[kPath] = saved.Files.Files[kPath];
  ASSERT_TRUE(LoadProject(world.State, kPath));
  const MenuProject& p = world.State.Project;

  // The window is centred whatever the file says; everything else comes back as it was.
  EXPECT_EQ(p.Form.Left, (1280 - 444) / 2);
  EXPECT_EQ(p.Form.Top, (1024 - 333) / 2);
  saved.State.Project.Form.Left = p.Form.Left;
  saved.State.Project.Form.Top = p.Form.Top;
  EXPECT_EQ(JsonOf(world.State), JsonOf(saved.State));
  EXPECT_EQ(world.State.ReservedWord, -123456789);
  EXPECT_EQ(p.Form.Caption, u8"Menü €");
  EXPECT_EQ(p.StartLink, saved.State.Project.StartLink);
  ASSERT_EQ(p.Objects.size(), 7u);
  for (size_t i = 0; i < p.Objects.size(); ++i) {
    const MenuObject& obj = *p.Objects[i];
    EXPECT_EQ(static_cast<size_t>(obj.Kind), i);
    EXPECT_EQ(obj.Base().Tag, static_cast<int32_t>(i));
    EXPECT_FALSE(obj.Selected);
    EXPECT_FALSE(obj.Hot);
    EXPECT_EQ(obj.Link, saved.State.Project.Objects[i]->Link);
    EXPECT_EQ(obj.ReservedText, saved.State.Project.Objects[i]->ReservedText);
  }
  EXPECT_EQ(p.Objects[1]->AsButton()->Margin, -5);
  EXPECT_EQ(p.Objects[0]->AsLabel()->Color, 0x8000000Fu);
  EXPECT_FALSE(world.State.Modified);
  // The panes get their files (the sample's paths are not on the fake disk, and there is no CD folder).
  EXPECT_EQ(view.Calls, (std::vector<std::string>{"settings", u8"avi \\fÄ4", u8"rtf \\fÄ6", "wire", "background"}));
}

TEST(LoadProject, MissingUnreadableAndForeignFilesChangeNothing) {
  struct Case {
    const char* Why;
    std::function<void(testing::FakeFileSystem&)> Arrange;
    std::string Message;
  };
  const Case cases[] = {
      {"missing", [](testing::FakeFileSystem&) {}, "File \"" + kPath + "\" not found"},
      {"unreadable",
       [](testing::FakeFileSystem& fs) {
         fs.Files[kPath] = SavedEveryKind();
         fs.Unreadable.insert(kPath);
       },
       "Cannot open file \"" + kPath + "\"."},
      {"magic off by one",
       [](testing::FakeFileSystem& fs) { fs.Files[kPath] = "\x55\xAA\xAA\x56" + SavedEveryKind().substr(4); },
       "File format not match"},
      {"empty file", [](testing::FakeFileSystem& fs) { fs.Files[kPath] = ""; }, "File format not match"},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    GiveOldProject(world);
    const std::string before = JsonOf(world.State);
    c.Arrange(world.Files);
    EXPECT_FALSE(LoadProject(world.State, kPath)) << c.Why;
    EXPECT_EQ(world.Ui.Texts(), std::vector<std::string>{c.Message}) << c.Why;
    EXPECT_EQ(JsonOf(world.State), before) << c.Why;
    EXPECT_EQ(world.State.ReservedWord, 77) << c.Why;
    EXPECT_FALSE(world.State.Modified) << c.Why;
  }
}

// Every prefix of a valid file: the first four bytes are the magic, then the settings block and
// the reserved word, then the trailer, which is never read.
TEST(LoadProject, FailsCleanlyWhereverTheFileEnds) {
  const std::string file = SavedEveryKind();
  FakeWorld probe;
  ParseDetails details;
  ASSERT_EQ(ParseProject(probe.State, file, &details), ParseOutcome::Loaded);
  // Magic, two strings of 10 bytes, colours and style, the start link with strings of 7, 4, 4, 3.
  const size_t linkStart = 4 + (4 + 10) + (4 + 10) + 9;
  const size_t windowStart = linkStart + 1 + 4 + (4 + 7) + (4 + 4) + (4 + 4) + (4 + 3);
  std::vector<size_t> objectEnds;
  size_t at = details.ObjectCountOffset + 4;
  for (const auto& obj : probe.State.Project.Objects) {
    at += FileRecord(*obj).size();
    objectEnds.push_back(at);
  }
  const size_t settingsEnd = at;
  ASSERT_EQ(settingsEnd + 4 + 80, file.size());

  for (size_t n = 0; n <= file.size(); ++n) {
    FakeWorld world;
    testing::RecordingView view;
    world.State.View = &view;
    GiveOldProject(world);
    view.Calls.clear();
    world.Files.Files[kPath] = file.substr(0, n);
    const bool loaded = LoadProject(world.State, kPath);
    const auto& objects = world.State.Project.Objects;
    SCOPED_TRACE("file cut to " + std::to_string(n) + " bytes");
    if (n < 4) {
      EXPECT_FALSE(loaded);
      EXPECT_EQ(world.Ui.Texts(), std::vector<std::string>{"File format not match"});
      EXPECT_EQ(world.State.Project.FormIcon, "\\old.ico");
    } else if (n < settingsEnd + 4) {
      EXPECT_FALSE(loaded);
      EXPECT_EQ(world.Ui.Texts(), std::vector<std::string>{"IO Error"});
      EXPECT_EQ(world.State.ReservedWord, 77);
      // Nothing after the failure: no resources, no form settings, Modified as ClearObjects left it.
      EXPECT_EQ(std::count(view.Calls.begin(), view.Calls.end(), "wire"), 0);
      EXPECT_EQ(std::count(view.Calls.begin(), view.Calls.end(), "background"), 0);
      if (n < windowStart) {
        EXPECT_EQ(objects.size(), 2u);
        EXPECT_FALSE(world.State.Modified);
      } else {
        EXPECT_TRUE(world.State.Modified);
        const size_t complete = static_cast<size_t>(
            std::count_if(objectEnds.begin(), objectEnds.end(), [&](size_t end) { return end <= n; }));
        EXPECT_EQ(objects.size(), complete);
        // Clicks and hover find an object by its tag, so the ones read must answer to their index.
        for (size_t i = 0; i < objects.size(); ++i) {
          EXPECT_EQ(static_cast<size_t>(objects[i]->Kind), i);
          EXPECT_EQ(objects[i]->Base().Tag, static_cast<int32_t>(i));
        }
      }
    } else {
      EXPECT_TRUE(loaded);
      // Only the resource loader speaks: the sample's files are not on the fake disk.
      const auto texts = world.Ui.Texts();
      EXPECT_EQ(std::count(texts.begin(), texts.end(), "IO Error"), 0);
      EXPECT_EQ(objects.size(), 7u);
      EXPECT_EQ(world.State.ReservedWord, -123456789);
    }
  }
}

// Files made by hand around the object list: counts and kinds the writer never produces.
TEST(LoadProject, ObjectCountsAndKindsTheWriterNeverProduces) {
  FakeWorld base;
  NewProject(base.State);
  base.State.Project.Objects.push_back(testing::DistinctObject(ObjectKind::Html));
  const std::string withOne = SerializeProject(base.State, "").value();
  const std::string one = FileRecord(*base.State.Project.Objects[0]);
  const size_t countAt = withOne.size() - 4 - one.size() - 4;
  auto withCount = [&](int64_t count, const std::string& objects) {
    return withOne.substr(0, countAt) + Bytes().I32(count).Out + objects + Bytes().I32(5).Out;
  };
  std::string badKind = one;
  badKind[0] = 7;

  struct Case {
    const char* Why;
    std::string File;
    bool Loads;
    size_t Objects;
  };
  const Case cases[] = {
      {"negative count reads as none", withCount(-1, ""), true, 0},
      {"most negative count", withCount(INT32_MIN, ""), true, 0},
      {"2^31-1 objects claimed, none there: nothing reserved", withCount(INT32_MAX, ""), false, 0},
      {"two claimed, one there", withCount(2, one), false, 1},
      {"kind 7 after a good object", withCount(2, one + badKind), false, 1},
      {"kind 255", withCount(1, std::string(1, '\xFF') + one.substr(1)), false, 0},
      {"three good objects", withCount(3, one + one + one), true, 3},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    GiveOldProject(world);
    world.Files.Files[kPath] = c.File;
    EXPECT_EQ(LoadProject(world.State, kPath), c.Loads) << c.Why;
    EXPECT_EQ(world.State.Project.Objects.size(), c.Objects) << c.Why;
    if (c.Loads) {
      EXPECT_TRUE(world.Ui.Shown.empty()) << c.Why;
      EXPECT_EQ(world.State.ReservedWord, 5) << c.Why;
    } else {
      EXPECT_EQ(world.Ui.Texts(), std::vector<std::string>{"IO Error"}) << c.Why;
    }
  }
}

// Found by the fuzzer: centring a stored width of -2^31 overflowed 32-bit arithmetic.
TEST(LoadProject, ExtremeWindowSizesAreCentredWithoutOverflow) {
  FakeWorld saved;
  NewProject(saved.State);
  saved.State.Project.Form.Width = INT32_MIN;
  saved.State.Project.Form.Height = INT32_MAX;
  ASSERT_TRUE(SaveProjectFile(saved.State, kPath));
  FakeWorld world;
  world.Files.Files[kPath] = saved.Files.Files[kPath];
  ASSERT_TRUE(LoadProject(world.State, kPath));
  EXPECT_EQ(world.State.Project.Form.Left, (1280 + 2147483648LL) / 2);
  EXPECT_EQ(world.State.Project.Form.Top, (1024 - 2147483647LL) / 2);
}

TEST(LoadProject, FieldsBeforeAFailureKeepTheirNewValues) {
  // Settings block cut inside the start link's Target: the icon, sound, colours and action are
  // already set; the old objects are still there because the window record never began.
  const std::string file = SavedEveryKind();
  FakeWorld world;
  GiveOldProject(world);
  const size_t linkStart = 4 + (4 + 10) + (4 + 10) + 9;
  const size_t cut = linkStart + 1 + 4 + (4 + 7) + 4 + 2;
  world.Files.Files[kPath] = file.substr(0, cut);
  EXPECT_FALSE(LoadProject(world.State, kPath));
  const MenuProject& p = world.State.Project;
  EXPECT_EQ(p.FormIcon, u8"\\iconä.ico");
  EXPECT_EQ(p.GradientStyle, 8);
  EXPECT_EQ(p.StartLink.Action, LinkAction::OpenFile);
  EXPECT_EQ(p.StartLink.SoundFile, "\\s0.wav");
  EXPECT_EQ(p.StartLink.Target, "");
  EXPECT_EQ(p.Objects.size(), 2u);
}

}  // namespace
}  // namespace corvela
