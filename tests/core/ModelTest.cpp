#include <gtest/gtest.h>

#include "project/AppState.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

// The defaults themselves are in the bytes of a new project's file (ProjectFileTest).
TEST(NewProject, ResetsTheProjectButKeepsBorderIconsAndWindowStateAndCentresTowardZero) {
  FakeWorld world;
  world.Display.W = 1025;  // odd screen: centring truncates
  world.Display.H = 768;
  AppState& s = world.State;
  const MenuProject& p = s.Project;
  s.Project.FormIcon = "\\x.ico";
  s.Project.StartLink.Action = LinkAction::OpenUrl;
  s.Project.StartLink.ShowCommand = 3;
  s.Project.Form.BorderIcons = biSystemMenu | biMinimize;
  s.Project.Form.WindowState = 2;
  NewProject(s);
  EXPECT_TRUE(p.FormIcon.empty());
  EXPECT_EQ(p.StartLink, ObjectLink{});
  EXPECT_EQ(p.Form.BorderIcons, biSystemMenu | biMinimize);
  EXPECT_EQ(p.Form.WindowState, 2);
  EXPECT_FALSE(s.Modified);
  EXPECT_EQ(p.Form.Left, 212);
  EXPECT_EQ(p.Form.Top, 174);

  world.Display.W = 599;  // (599 - 600) / 2 truncates to 0, not -1
  world.Display.H = 100;
  NewProject(s);
  EXPECT_EQ(p.Form.Left, 0);
  EXPECT_EQ(p.Form.Top, -160);
}

TEST(NewProject, TellsTheWindowAndAppliesTheFormSettings) {
  FakeWorld world;
  testing::RecordingView view;
  world.State.View = &view;
  world.State.CDFolder = "C:\\cd";
  world.Files.Files["C:\\cd\\AutoRun.ico"] = "icon";
  NewProject(world.State);
  EXPECT_EQ(view.Calls, (std::vector<std::string>{"app icon", "settings", "background", "icon C:\\cd\\AutoRun.ico"}));
}

TEST(ClearObjects, MarksModifiedOnlyWhenSomethingWasThere) {
  FakeWorld world;
  ClearObjects(world.State);
  EXPECT_FALSE(world.State.Modified);
  world.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Button));
  ClearObjects(world.State);
  EXPECT_TRUE(world.State.Modified);
  EXPECT_TRUE(world.State.Project.Objects.empty());
}

TEST(RemoveObject, KeepsTagsEqualToIndexesAndIgnoresAStranger) {
  FakeWorld world;
  AppState& s = world.State;
  for (auto kind : {ObjectKind::Label, ObjectKind::Image, ObjectKind::Rtf, ObjectKind::Movie})
    s.Project.Objects.push_back(std::make_unique<MenuObject>(kind));
  RenumberTags(s);
  MenuObject stranger(ObjectKind::Label);
  RemoveObject(s, &stranger);
  EXPECT_EQ(s.Project.Objects.size(), 4u);
  EXPECT_FALSE(s.Modified);

  MenuObject* second = s.Project.Objects[1].get();
  RemoveObject(s, s.Project.Objects[0].get());
  EXPECT_EQ(s.Project.Objects[0].get(), second);
  EXPECT_TRUE(s.Modified);
  RemoveObject(s, s.Project.Objects[2].get());
  ASSERT_EQ(s.Project.Objects.size(), 2u);
  EXPECT_EQ(s.Project.Objects[1]->Kind, ObjectKind::Rtf);
  for (size_t i = 0; i < s.Project.Objects.size(); ++i)
    EXPECT_EQ(s.Project.Objects[i]->Base().Tag, static_cast<int32_t>(i));
}

TEST(DisposeObject, FreesEveryOwnedGraphic) {
  int live = 0;
  auto obj = std::make_unique<MenuObject>(ObjectKind::Button);
  obj->Bitmap = std::make_unique<testing::FakeGraphic>("", &live);
  obj->HotTrackBitmap = std::make_unique<testing::FakeGraphic>("", &live);
  obj->Picture = std::make_unique<testing::FakeGraphic>("", &live);
  ASSERT_EQ(live, 3);
  DisposeObject(std::move(obj));
  EXPECT_EQ(live, 0);
  DisposeObject(nullptr);  // accepted
}

}  // namespace
}  // namespace corvela
