#include <gtest/gtest.h>

#include "dialogs/FormPropertiesRules.h"
#include "project/ProjectJson.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

using testing::FakeWorld;

constexpr DialogFlags kOkAfterChange{true, true};

struct FormPropertiesDialog : ::testing::Test {
  FakeWorld World;
  MenuProject& Project = World.State.Project;
  FormPropertiesDialog() { testing::FillEveryKind(World.State); }
  Json Snapshot() const { return ProjectToJson(World.State, ""); }
};

TEST_F(FormPropertiesDialog, NothingIsWrittenWithoutBothOkAndAChange) {
  Project.FormIcon = " icon.ico ";  // would become \icon.ico if anything were written
  const Json before = Snapshot();
  FormPropertiesFields f = FillFormProperties(Project);
  EXPECT_FALSE(WriteBackFormProperties(f, {true, false}, Project));  // OK untouched
  f.Caption = "changed";
  EXPECT_FALSE(WriteBackFormProperties(f, {false, true}, Project));  // Cancel after a change
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(FormPropertiesDialog, OneChangeWritesEveryFieldBack) {
  Project.FormIcon = "  art\\menu.ico ";
  Project.StartSound = "sounds\\intro.wav";
  Project.Form.Position = 2;  // any position but poDesigned shows "Screen Center"
  FormPropertiesFields f = FillFormProperties(Project);
  f.Caption = "  Welcome ";  // the only change; caption blanks are kept
  ASSERT_TRUE(WriteBackFormProperties(f, kOkAfterChange, Project));
  EXPECT_EQ(Project.Form.Caption, "  Welcome ");
  EXPECT_EQ(Project.FormIcon, "\\art\\menu.ico");
  EXPECT_EQ(Project.StartSound, "\\sounds\\intro.wav");
  EXPECT_EQ(Project.Form.Position, static_cast<uint8_t>(FormPosition::ScreenCenter));
  // The rest comes back exactly as filled.
  EXPECT_EQ(FillFormProperties(Project).GradientStyle, f.GradientStyle);
  EXPECT_EQ(Project.BackColor, 0x80000005u);
  EXPECT_EQ(Project.Form.BorderStyle, 5);
}

TEST_F(FormPropertiesDialog, ListsSpinsAndSwatchesStoreWhatTheyShow) {
  FormPropertiesFields f = FillFormProperties(Project);
  f.GradientStyle = 8;     // "None"
  f.BorderStyle = 5;       // "SizeToolWin"
  f.PanelBorderStyle = 1;  // "Single"
  f.BevelInner = 3;        // "Space"
  f.BevelOuter = 1;        // "Lowered"
  f.PanelBorderWidth = "-3";
  f.BevelWidth = "";
  f.BackColor = 0x000000FFu;
  f.GradientColor = 0x00FF0000u;
  f.TransparentColorValue = 0x00FF00FFu;
  f.TransparentColor = true;
  f.Position = 1;
  f.FormIcon = "";
  ASSERT_TRUE(WriteBackFormProperties(f, kOkAfterChange, Project));
  EXPECT_STREQ(kGradientStyleEntries[8], "None");
  EXPECT_EQ(Project.GradientStyle, 8);
  EXPECT_STREQ(kFormBorderStyleEntries[5], "SizeToolWin");
  EXPECT_EQ(Project.Form.BorderStyle, 5);
  EXPECT_EQ(Project.Panel.BorderStyle, 1);
  EXPECT_STREQ(kBevelEntries[3], "Space");
  EXPECT_EQ(Project.Panel.BevelInner, 3);
  EXPECT_EQ(Project.Panel.BevelOuter, 1);
  EXPECT_EQ(Project.Panel.BorderWidth, -3);
  EXPECT_EQ(Project.Panel.BevelWidth, 0);
  EXPECT_EQ(Project.BackColor, 0x000000FFu);
  EXPECT_EQ(Project.GradientColor, 0x00FF0000u);
  EXPECT_EQ(Project.Form.TransparentColorValue, 0x00FF00FFu);
  EXPECT_TRUE(Project.Form.TransparentColor);
  EXPECT_EQ(Project.Form.Position, static_cast<uint8_t>(FormPosition::Designed));
  EXPECT_EQ(Project.FormIcon, "");  // an emptied path stays empty
}

TEST_F(FormPropertiesDialog, SelectButtonsUseTheirFiltersAndThePlainRefusal) {
  World.State.CDFolder = "D:\\Menu";
  World.Chooser.Answer = "D:\\Menu\\art\\a.ico";
  std::string icon = "";
  EXPECT_EQ(SelectFormIcon(World.State, icon), SelectResult::Changed);
  EXPECT_EQ(icon, "\\art\\a.ico");
  EXPECT_EQ(World.Chooser.Requests.back().Filter, "Icons (*.ico)|*.ico");
  EXPECT_TRUE(World.Chooser.Requests.back().MustExist);

  World.Chooser.Answer = "E:\\x.wav";
  std::string sound = "\\old.wav";
  EXPECT_EQ(SelectStartSound(World.State, sound), SelectResult::Refused);
  EXPECT_EQ(sound, "\\old.wav");
  EXPECT_EQ(World.Chooser.Requests.back().Filter, "");
  ASSERT_EQ(World.Ui.Shown.size(), 1u);
  EXPECT_EQ(World.Ui.Shown[0].Text, "Selected file should be in \"D:\\Menu\" directory or its subdirectory directory");
  EXPECT_EQ(World.Ui.Shown[0].Caption, "Corvela");
  EXPECT_EQ(World.Ui.Shown[0].Icon, MessageIcon::None);
}

}  // namespace
}  // namespace corvela
