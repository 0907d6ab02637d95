#include <gtest/gtest.h>

#include "dialogs/LinkEditorRules.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

ObjectLink SampleLink(LinkAction action) {
  ObjectLink link;
  link.SoundFile = "\\click.wav";
  link.Action = action;
  link.ShowCommand = 3;
  link.Target = " setup.exe ";
  link.Parameters = " /quiet ";
  link.StartDirectory = "tools";
  return link;
}

TEST(LinkEditorDialog, EnablingTable) {
  struct Row {
    int action;
    LinkFieldStates states;
  };
  const Row rows[] = {
      {0, {false, false, false, false}}, {1, {true, true, true, true}},     {2, {true, false, false, false}},
      {3, {true, false, false, false}},  {4, {true, false, false, true}},   {5, {true, false, false, true}},
      {6, {false, false, false, false}}, {7, {false, false, false, false}}, {-1, {false, false, false, false}},
  };
  for (const auto& r : rows) EXPECT_EQ(EnabledLinkFields(r.action), r.states) << r.action;
  EXPECT_EQ(kLinkActionEntries[2], std::string("Open URL to Visit(or download file from) Internet "));
}

TEST(LinkEditorDialog, OkWithoutAChangeWritesNothing) {
  ObjectLink link = SampleLink(LinkAction::OpenFile);
  const ObjectLink before = link;
  LinkEditorFields f = FillLinkEditor(link);
  EXPECT_EQ(f.Action, 1);
  EXPECT_EQ(f.Target, " setup.exe ");
  EXPECT_FALSE(WriteBackLinkEditor(f, {true, false}, link));
  f.Action = 0;
  EXPECT_FALSE(WriteBackLinkEditor(f, {false, true}, link));
  EXPECT_EQ(link, before);
}

TEST(LinkEditorDialog, OnlyTheFileActionsNormaliseTargetAndStartDirectory) {
  struct Case {
    LinkAction action;
    const char* target;
    const char* directory;
  };
  const Case cases[] = {
      {LinkAction::OpenFile, "\\setup.exe", "\\tools"},  {LinkAction::PlaySound, "\\setup.exe", "\\tools"},
      {LinkAction::PrintFile, "\\setup.exe", "\\tools"}, {LinkAction::OpenUrl, " setup.exe ", "tools"},
      {LinkAction::SendEmail, " setup.exe ", "tools"},  // an address keeps its blanks
      {LinkAction::None, " setup.exe ", "tools"},       // disabled fields keep and store their text
      {LinkAction::BrowseCd, " setup.exe ", "tools"},
  };
  for (const auto& c : cases) {
    ObjectLink link = SampleLink(LinkAction::OpenFile);
    LinkEditorFields f = FillLinkEditor(link);
    f.Action = static_cast<int>(c.action);
    ASSERT_TRUE(WriteBackLinkEditor(f, {true, true}, link));
    EXPECT_EQ(link.Action, c.action);
    EXPECT_EQ(link.Target, c.target) << static_cast<int>(c.action);
    EXPECT_EQ(link.StartDirectory, c.directory) << static_cast<int>(c.action);
    EXPECT_EQ(link.Parameters, " /quiet ");
    EXPECT_EQ(link.SoundFile, "\\click.wav");  // carried through, not shown
    EXPECT_EQ(link.ShowCommand, 3);
  }
}

TEST(LinkEditorDialog, BrowseFillsTargetAndStartDirectory) {
  FakeWorld world;
  world.State.CDFolder = "D:\\Menu";
  LinkEditorFields f{1, "", "", "old"};

  world.Chooser.Answer = "D:\\Menu\\tools\\setup.exe";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Changed);
  EXPECT_EQ(f.Target, "\\tools\\setup.exe");
  EXPECT_EQ(f.StartDirectory, "\\tools");
  EXPECT_EQ(world.Chooser.Requests[0].Filter, "All Files(*.*)|*.*");

  world.Chooser.Answer = "D:\\Menu\\setup.exe";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Changed);
  EXPECT_EQ(f.Target, "\\setup.exe");
  EXPECT_EQ(f.StartDirectory, "\\");

  // The same file again, but the start directory was edited: putting it back is a change.
  f.StartDirectory = "elsewhere";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Changed);
  EXPECT_EQ(f.StartDirectory, "\\");
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Unchanged);

  world.Chooser.Answer = "C:\\setup.exe";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Refused);
  EXPECT_EQ(f.Target, "\\setup.exe");
  ASSERT_EQ(world.Ui.Shown.size(), 1u);
  EXPECT_EQ(world.Ui.Shown[0].Text, "Selected file should be in \"D:\\Menu\" directory or its subdirectory");
  EXPECT_EQ(world.Ui.Shown[0].Caption, "Information");
  EXPECT_EQ(world.Ui.Shown[0].Icon, MessageIcon::Information);

  world.Chooser.Answer.reset();
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Cancelled);
  EXPECT_EQ(f.StartDirectory, "\\");

  // A CD folder edited by hand with a trailing backslash gives a path without one.
  world.State.CDFolder = "D:\\Menu\\";
  world.Chooser.Answer = "D:\\Menu\\tools\\setup.exe";
  f.StartDirectory = "";
  EXPECT_EQ(BrowseLinkTarget(world.State, f), SelectResult::Changed);
  EXPECT_EQ(f.Target, "tools\\setup.exe");
  EXPECT_EQ(f.StartDirectory, "tools");
}

}  // namespace
}  // namespace corvela
