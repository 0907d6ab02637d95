#include <gtest/gtest.h>

#include "project/Model.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

class RecordingView : public MenuView {
 public:
  std::vector<std::string> Calls;
  void FormSettingsChanged() override { Calls.push_back("settings"); }
  void PaintBackground() override { Calls.push_back("background"); }
  bool LoadWindowIcon(const std::string& path) override {
    Calls.push_back("icon " + path);
    return true;
  }
  void UseApplicationIcon() override { Calls.push_back("app icon"); }
  void PlayAvi(MenuObject&, const std::string& path) override { Calls.push_back("avi " + path); }
  void NavigateHtml(MenuObject&, const std::string& url) override { Calls.push_back("html " + url); }
  void LoadRtf(MenuObject&, const std::string& path) override { Calls.push_back("rtf " + path); }
  void WireObjects() override { Calls.push_back("wire"); }
  void CloseMenu() override {}
};

void AddPlain(AppState& state, ObjectKind kind) {
  state.Project.Objects.push_back(std::make_unique<MenuObject>(kind));
  RenumberTags(state);
}

void ExpectTagsAreIndexes(const AppState& state) {
  for (size_t i = 0; i < state.Project.Objects.size(); ++i)
    EXPECT_EQ(state.Project.Objects[i]->Base().Tag, static_cast<int32_t>(i));
}

TEST(NewProject, GivesTheDefaultsOfAFreshMenu) {
  FakeWorld world;
  world.Display.W = 1025;  // odd screen: centring truncates
  world.Display.H = 768;
  AppState& s = world.State;
  s.Project.FormIcon = "\\x.ico";
  s.Project.StartLink.Action = LinkAction::OpenUrl;
  s.Project.StartLink.ShowCommand = 3;
  s.Project.Form.BorderIcons = biSystemMenu | biMinimize;
  s.Project.Form.WindowState = 2;
  NewProject(s);
  const MenuProject& p = s.Project;
  EXPECT_TRUE(p.Objects.empty());
  EXPECT_EQ(p.Form.Caption, "AutoRun");
  EXPECT_EQ(p.Form.BorderStyle, 2);
  EXPECT_EQ(p.Form.Width, 600);
  EXPECT_EQ(p.Form.Height, 420);
  EXPECT_EQ(p.Form.Left, 212);
  EXPECT_EQ(p.Form.Top, 174);
  EXPECT_FALSE(p.Form.TransparentColor);
  EXPECT_EQ(p.Form.TransparentColorValue, 0u);
  EXPECT_EQ(p.BackColor, 0xFF0000u);
  EXPECT_EQ(p.GradientColor, 0xFFFFFFu);
  EXPECT_EQ(p.GradientStyle, 1);
  EXPECT_EQ(p.StartLink, ObjectLink{});
  EXPECT_EQ(p.StartLink.ShowCommand, 1);
  EXPECT_TRUE(p.FormIcon.empty());
  EXPECT_EQ(p.Panel.BevelWidth, 1);
  // Left as they were.
  EXPECT_EQ(p.Form.BorderIcons, biSystemMenu | biMinimize);
  EXPECT_EQ(p.Form.WindowState, 2);
  EXPECT_FALSE(s.Modified);
}

TEST(NewProject, CentresOnScreensSmallerThanTheWindowTowardZero) {
  FakeWorld world;
  world.Display.W = 599;  // (599 - 600) / 2 truncates to 0, not -1
  world.Display.H = 100;
  NewProject(world.State);
  EXPECT_EQ(world.State.Project.Form.Left, 0);
  EXPECT_EQ(world.State.Project.Form.Top, -160);
}

TEST(NewProject, TellsTheWindowAndAppliesTheFormSettings) {
  FakeWorld world;
  RecordingView view;
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
  AddPlain(world.State, ObjectKind::Button);
  ClearObjects(world.State);
  EXPECT_TRUE(world.State.Modified);
  EXPECT_TRUE(world.State.Project.Objects.empty());
}

TEST(RemoveObject, KeepsTagsEqualToIndexes) {
  FakeWorld world;
  AppState& s = world.State;
  for (auto kind : {ObjectKind::Label, ObjectKind::Image, ObjectKind::Rtf, ObjectKind::Movie}) AddPlain(s, kind);
  MenuObject* second = s.Project.Objects[1].get();
  RemoveObject(s, s.Project.Objects[0].get());
  ASSERT_EQ(s.Project.Objects.size(), 3u);
  EXPECT_EQ(s.Project.Objects[0].get(), second);
  ExpectTagsAreIndexes(s);
  EXPECT_TRUE(s.Modified);
  RemoveObject(s, s.Project.Objects[2].get());
  RemoveObject(s, s.Project.Objects[0].get());
  ASSERT_EQ(s.Project.Objects.size(), 1u);
  EXPECT_EQ(s.Project.Objects[0]->Kind, ObjectKind::Rtf);
  ExpectTagsAreIndexes(s);
}

TEST(RemoveObject, IgnoresAnObjectThatIsNotInTheList) {
  FakeWorld world;
  AddPlain(world.State, ObjectKind::Label);
  MenuObject stranger(ObjectKind::Label);
  RemoveObject(world.State, &stranger);
  EXPECT_EQ(world.State.Project.Objects.size(), 1u);
  EXPECT_FALSE(world.State.Modified);
}

TEST(DisposeObject, FreesEveryOwnedGraphic) {
  struct Counted : Graphic {
    int* live;
    explicit Counted(int* l) : live(l) { ++*live; }
    ~Counted() override { --*live; }
    int Width() const override { return 1; }
    int Height() const override { return 1; }
  };
  int live = 0;
  auto obj = std::make_unique<MenuObject>(ObjectKind::Button);
  obj->Bitmap = std::make_unique<Counted>(&live);
  obj->HotTrackBitmap = std::make_unique<Counted>(&live);
  obj->Picture = std::make_unique<Counted>(&live);
  ASSERT_EQ(live, 3);
  DisposeObject(std::move(obj));
  EXPECT_EQ(live, 0);
  DisposeObject(nullptr);  // accepted
}

TEST(NewObjects, GetTheDesignerDefaultsOfTheirKind) {
  auto label = MakeNewObject(ObjectKind::Label);
  ASSERT_NE(label->AsLabel(), nullptr);
  EXPECT_EQ(label->AsLabel()->Caption, "New Label");
  EXPECT_FALSE(label->AsLabel()->AutoSize);
  EXPECT_TRUE(label->AsLabel()->Transparent);
  EXPECT_TRUE(label->AsLabel()->WordWrap);
  EXPECT_TRUE(label->Selected);
  EXPECT_FALSE(label->Hot);
  EXPECT_EQ(label->Link.ShowCommand, 1);

  auto button = MakeNewObject(ObjectKind::Button);
  ASSERT_NE(button->AsButton(), nullptr);
  EXPECT_EQ(button->AsButton()->Caption, "New Button");
  EXPECT_EQ(button->Base().Width, 120);
  EXPECT_EQ(button->Base().Height, 40);

  auto html = MakeNewObject(ObjectKind::Html);
  EXPECT_EQ(html->Base().Width, 105);
  EXPECT_EQ(html->Base().Height, 105);

  // A movie is a plain pane like the other windowed kinds.
  EXPECT_TRUE(std::holds_alternative<PaneControl>(MakeNewObject(ObjectKind::Movie)->Control));
  EXPECT_TRUE(std::holds_alternative<ImageControl>(MakeNewObject(ObjectKind::Image)->Control));
}

TEST(ObjectKinds, OnlySevenAreValid) {
  for (int k = 0; k < 256; ++k) EXPECT_EQ(IsValidKind(static_cast<uint8_t>(k)), k <= 6) << k;
}

}  // namespace
}  // namespace corvela
