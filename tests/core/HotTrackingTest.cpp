#include <gtest/gtest.h>

#include "player/ButtonTracking.h"
#include "player/HotTracking.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeGraphic;
using testing::FakeWorld;
using Indexes = std::vector<int>;

FontRecord Font(const char* name) {
  FontRecord f;
  f.Name = name;
  return f;
}

struct HotWorld : FakeWorld {
  int Live = 0;
  std::unique_ptr<Graphic> Pic(const char* name) { return std::make_unique<FakeGraphic>(name, &Live); }

  MenuObject& Add(ObjectKind kind, int32_t left = 0, int32_t top = 0, int32_t width = 10, int32_t height = 10) {
    auto obj = std::make_unique<MenuObject>(kind);
    ControlBase& b = obj->Base();
    b.Left = left, b.Top = top, b.Width = width, b.Height = height;
    obj->NormalFont = Font("normal");
    obj->HotTrackFont = Font("hot");
    if (auto* label = obj->AsLabel()) label->Font = obj->NormalFont;
    if (auto* button = obj->AsButton()) button->Font = obj->NormalFont;
    State.Project.Objects.push_back(std::move(obj));
    RenumberTags(State);
    return *State.Project.Objects.back();
  }
};

std::string ShownFont(const MenuObject& obj) {
  return obj.AsLabel() ? obj.AsLabel()->Font.Name : obj.AsButton()->Font.Name;
}

TEST(HotTracking, ALabelTakesItsHotFontAndMovingToItsNeighbourSwapsBothInOneEvent) {
  HotWorld w;
  MenuObject& a = w.Add(ObjectKind::Label);
  MenuObject& b = w.Add(ObjectKind::Label, 10);
  EXPECT_EQ(ObjectMouseMove(w.State, 0), Indexes{0});
  EXPECT_EQ(ShownFont(a), "hot");
  EXPECT_TRUE(a.Hot);
  // Repeated moves over the hot object repaint nothing.
  EXPECT_EQ(ObjectMouseMove(w.State, 0), Indexes{});
  EXPECT_EQ(ObjectMouseMove(w.State, 1), (Indexes{0, 1}));
  EXPECT_EQ(ShownFont(a), "normal");
  EXPECT_EQ(ShownFont(b), "hot");
  EXPECT_FALSE(a.Hot);
  EXPECT_EQ(Image1MouseMove(w.State), Indexes{1});
  EXPECT_EQ(ShownFont(b), "normal");
  EXPECT_EQ(Image1MouseMove(w.State), Indexes{});
}

TEST(HotTracking, AHotFontEqualToTheNormalOneNeedsNoRepaint) {
  HotWorld w;
  MenuObject& a = w.Add(ObjectKind::Label);
  a.HotTrackFont = a.NormalFont;
  EXPECT_EQ(ObjectMouseMove(w.State, 0), Indexes{});
  EXPECT_TRUE(a.Hot);
}

TEST(HotTracking, AButtonSwapsGlyphAndFontAndFallsBackWhenCachesAreMissing) {
  HotWorld w;
  MenuObject& both = w.Add(ObjectKind::Button);
  both.Bitmap = w.Pic("normal");
  both.HotTrackBitmap = w.Pic("hot");
  both.Shown = both.Bitmap.get();
  // Its glyph file was missing: the built-in glyph shows (null).
  MenuObject& hotOnly = w.Add(ObjectKind::Button);
  hotOnly.HotTrackBitmap = w.Pic("hot");
  MenuObject& normalOnly = w.Add(ObjectKind::Button);
  normalOnly.Bitmap = w.Pic("normal");
  normalOnly.Shown = normalOnly.Bitmap.get();

  ObjectMouseMove(w.State, 0);
  EXPECT_EQ(both.Shown, both.HotTrackBitmap.get());
  EXPECT_EQ(ShownFont(both), "hot");
  ObjectMouseMove(w.State, 1);
  EXPECT_EQ(both.Shown, both.Bitmap.get());
  EXPECT_EQ(ShownFont(both), "normal");
  EXPECT_EQ(hotOnly.Shown, hotOnly.HotTrackBitmap.get());
  ObjectMouseMove(w.State, 2);
  EXPECT_EQ(hotOnly.Shown, nullptr);
  EXPECT_EQ(normalOnly.Shown, normalOnly.Bitmap.get());  // no hot glyph: only the font changes
  EXPECT_EQ(ShownFont(normalOnly), "hot");
}

TEST(HotTracking, AnImageShowsItsHotPictureAndKeepsItWithoutANormalOne) {
  HotWorld w;
  MenuObject& both = w.Add(ObjectKind::Image);
  both.Picture = w.Pic("normal");
  both.HotTrackPicture = w.Pic("hot");
  both.Shown = both.Picture.get();
  MenuObject& hotOnly = w.Add(ObjectKind::Image);
  hotOnly.HotTrackPicture = w.Pic("hot");
  w.Add(ObjectKind::Image);  // neither picture

  EXPECT_EQ(ObjectMouseMove(w.State, 0), Indexes{0});
  EXPECT_EQ(both.Shown, both.HotTrackPicture.get());
  EXPECT_EQ(ObjectMouseMove(w.State, 1), (Indexes{0, 1}));
  EXPECT_EQ(both.Shown, both.Picture.get());
  EXPECT_EQ(ObjectMouseMove(w.State, 2), Indexes{});
  EXPECT_EQ(hotOnly.Shown, hotOnly.HotTrackPicture.get());
}

TEST(HotTracking, PanesNeverChangeOrRepaint) {
  HotWorld w;
  w.Add(ObjectKind::Label);
  for (ObjectKind kind : {ObjectKind::Avi, ObjectKind::Html, ObjectKind::Rtf, ObjectKind::Movie}) {
    MenuObject& pane = w.Add(kind);
    pane.Picture = w.Pic("normal");
    pane.HotTrackPicture = w.Pic("hot");
  }
  ObjectMouseMove(w.State, 0);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(SetHotObject(w.State, i), (i == 1 ? Indexes{0} : Indexes{}));
  for (size_t i = 1; i <= 4; ++i) EXPECT_EQ(w.State.Project.Objects[i]->Shown, nullptr);
}

TEST(PaintedObjectAt, FindsTheTopmostPaintedObjectAndLooksThroughPanes) {
  HotWorld w;
  w.Add(ObjectKind::Image, 0, 0, 100, 100);
  w.Add(ObjectKind::Label, 20, 20, 30, 10);
  w.Add(ObjectKind::Avi, 0, 0, 100, 100);  // a child window: it gets its own mouse messages
  w.Add(ObjectKind::Button, 40, 25, 30, 30);
  const struct {
    int32_t X, Y;
    int Want;
  } cases[] = {
      {5, 5, 0},   {20, 20, 1}, {49, 22, 1}, {50, 22, 0},   {30, 30, 0},  // right and bottom edges are outside
      {45, 27, 3},  // label and button overlap: the later one wins
      {69, 54, 3}, {70, 54, 0}, {99, 99, 0}, {100, 50, -1}, {-1, 5, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(PaintedObjectAt(w.State.Project, c.X, c.Y), c.Want) << c.X << "," << c.Y;
  EXPECT_EQ(PanelMouseMove(w.State, 45, 27), Indexes{3});
  EXPECT_TRUE(w.State.Project.Objects[3]->Hot);
  EXPECT_EQ(PanelMouseMove(w.State, 200, 200), Indexes{3});
  EXPECT_FALSE(w.State.Project.Objects[3]->Hot);
}

TEST(ButtonTracking, PressShowsDownWhileInsideAndClicksOnlyWhenReleasedOverIt) {
  HotWorld w;
  w.Add(ObjectKind::Button);
  const MenuProject& p = w.State.Project;
  ButtonStates s;
  EXPECT_EQ(TrackMouseDown(s, p, 0).Repaint, Indexes{0});
  EXPECT_EQ(LookOf(s, p, 0), ButtonLook::Down);
  EXPECT_EQ(TrackMouseMove(s, p, -1).Repaint, Indexes{0});
  EXPECT_EQ(LookOf(s, p, 0), ButtonLook::Up);
  EXPECT_EQ(TrackMouseMove(s, p, 0).Repaint, Indexes{0});
  TrackResult up = TrackMouseUp(s, p, 0);
  EXPECT_EQ(up.Clicked, 0);
  EXPECT_EQ(up.Repaint, Indexes{0});
  EXPECT_EQ(LookOf(s, p, 0), ButtonLook::Up);

  TrackMouseDown(s, p, 0);
  EXPECT_EQ(TrackMouseUp(s, p, -1).Clicked, -1);
  TrackMouseDown(s, p, 0);
  EXPECT_EQ(TrackCaptureLost(s, p).Clicked, -1);
  EXPECT_EQ(TrackMouseUp(s, p, 0).Clicked, -1);
  // Pressed on the background, released over the button.
  TrackMouseDown(s, p, -1);
  EXPECT_EQ(TrackMouseUp(s, p, 0).Clicked, -1);
}

TEST(ButtonTracking, OnlyFlatButtonsShowHoverAndLabelsClickWithoutRepaint) {
  HotWorld w;
  w.Add(ObjectKind::Button);
  w.Add(ObjectKind::Button, 10).AsButton()->Flat = true;
  w.Add(ObjectKind::Label, 20);
  const MenuProject& p = w.State.Project;
  ButtonStates s;
  EXPECT_EQ(TrackMouseMove(s, p, 0).Repaint, Indexes{});
  EXPECT_EQ(TrackMouseMove(s, p, 1).Repaint, Indexes{1});
  EXPECT_EQ(LookOf(s, p, 1), ButtonLook::Hover);
  EXPECT_EQ(TrackMouseLeave(s, p).Repaint, Indexes{1});
  // While the label is pressed, the flat button under the mouse is not hovered.
  TrackMouseDown(s, p, 2);
  EXPECT_EQ(TrackMouseMove(s, p, 1).Repaint, Indexes{});
  EXPECT_EQ(TrackMouseMove(s, p, 2).Repaint, Indexes{});
  TrackResult up = TrackMouseUp(s, p, 2);
  EXPECT_EQ(up.Clicked, 2);
  EXPECT_EQ(up.Repaint, Indexes{});
}

}  // namespace
}  // namespace corvela
