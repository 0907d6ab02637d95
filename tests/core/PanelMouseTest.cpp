// The running menu's mouse over its painted objects: hot tracking, the button looks and clicks,
// and the panel that puts them together.
#include <gtest/gtest.h>

#include "player/ButtonTracking.h"
#include "player/HotTracking.h"
#include "player/PanelMouse.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeGraphic;
using testing::FakeWorld;
using Indexes = std::vector<int>;
using Rects = std::vector<Rect>;

FontRecord Font(const char* name) {
  FontRecord f;
  f.Name = name;
  return f;
}

// Objects whose fonts are named "normal" and "hot".
struct HotWorld : FakeWorld {
  PanelMouse Mouse;
  int Live = 0;
  std::unique_ptr<Graphic> Pic(const char* name, int w = 32, int h = 32) {
    return std::make_unique<FakeGraphic>(name, &Live, w, h);
  }

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
  MenuObject& Object(size_t i) { return *State.Project.Objects[i]; }
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

TEST(PanelMouse, APressKeepsItsObjectHotAndClicksOnlyWhenReleasedOverIt) {
  HotWorld w;
  w.Add(ObjectKind::Button, 10, 10, 50, 20).AsButton()->Flat = true;
  w.Add(ObjectKind::Label, 100, 10, 50, 20).AsLabel()->AutoSize = false;
  const Rect button{10, 10, 60, 30}, label{100, 10, 150, 30};

  // Hot font and hover look change together: one rectangle.
  EXPECT_EQ(w.Mouse.Move(w.State, 20, 20, true).Repaint, Rects{button});
  EXPECT_TRUE(w.Object(0).Hot);
  EXPECT_EQ(w.Mouse.Down(w.State, 20, 20, true).Repaint, Rects{button});
  EXPECT_TRUE(w.Mouse.Pressing());
  EXPECT_EQ(LookOf(w.Mouse.States(), w.State.Project, 0), ButtonLook::Down);

  // Dragged onto the label the button pops up, but the label does not become hot: the pressed
  // control holds the mouse.
  EXPECT_EQ(w.Mouse.Move(w.State, 110, 20, true).Repaint, Rects{button});
  EXPECT_TRUE(w.Object(0).Hot);
  EXPECT_FALSE(w.Object(1).Hot);
  // Outside the panel as well; back on the button it is down again.
  EXPECT_EQ(w.Mouse.Move(w.State, -5, 500, false).Repaint, Rects{});
  EXPECT_EQ(w.Mouse.Move(w.State, 20, 20, true).Repaint, Rects{button});
  EXPECT_EQ(LookOf(w.Mouse.States(), w.State.Project, 0), ButtonLook::Down);
  EXPECT_EQ(w.Mouse.Move(w.State, 110, 20, true).Repaint, Rects{button});

  // Released over the label: no click, and the label under the mouse becomes hot.
  PanelMouseResult up = w.Mouse.Up(w.State, 110, 20, true);
  EXPECT_EQ(up.ClickedTag, -1);
  EXPECT_EQ(up.Repaint, (Rects{button, label}));
  EXPECT_FALSE(w.Mouse.Pressing());

  // Labels click too, without a look of their own to repaint.
  EXPECT_EQ(w.Mouse.Down(w.State, 110, 20, true).Repaint, Rects{});
  up = w.Mouse.Up(w.State, 111, 21, true);
  EXPECT_EQ(up.ClickedTag, 1);
  EXPECT_EQ(up.Repaint, Rects{});

  // Released outside the panel after a press on the button: no click, and it stays hot.
  w.Mouse.Move(w.State, 20, 20, true);
  w.Mouse.Down(w.State, 20, 20, true);
  EXPECT_EQ(w.Mouse.Up(w.State, 20, 20, false).ClickedTag, -1);
  EXPECT_TRUE(w.Object(0).Hot);
  // A press taken away by another window ends without a click on release.
  w.Mouse.Move(w.State, 20, 20, true);
  w.Mouse.Down(w.State, 20, 20, true);
  EXPECT_EQ(w.Mouse.CaptureLost(w.State).Repaint, Rects{button});
  EXPECT_EQ(w.Mouse.Up(w.State, 20, 20, true).ClickedTag, -1);
  // A press on the background holds nothing, and a release over the button then is no click.
  w.Mouse.Down(w.State, 300, 300, true);
  EXPECT_FALSE(w.Mouse.Pressing());
  EXPECT_EQ(w.Mouse.Up(w.State, 20, 20, true).ClickedTag, -1);
  // Pressed and released over the button: its click, and it comes up.
  w.Mouse.Down(w.State, 20, 20, true);
  up = w.Mouse.Up(w.State, 21, 21, true);
  EXPECT_EQ(up.ClickedTag, 0);
  EXPECT_EQ(up.Repaint, Rects{button});
  EXPECT_NE(LookOf(w.Mouse.States(), w.State.Project, 0), ButtonLook::Down);
}

TEST(PanelMouse, LeavingForAPaneKeepsTheHotObjectLeavingTheWindowRestoresIt) {
  HotWorld w;
  w.Add(ObjectKind::Button, 0, 0, 40, 20).AsButton()->Flat = true;
  w.Mouse.Move(w.State, 5, 5, true);
  EXPECT_EQ(w.Mouse.Leave(w.State, false).Repaint, (Rects{Rect{0, 0, 40, 20}}));
  EXPECT_EQ(LookOf(w.Mouse.States(), w.State.Project, 0), ButtonLook::Up);
  EXPECT_TRUE(w.Object(0).Hot);
  EXPECT_EQ(w.Object(0).AsButton()->Font.Name, "hot");

  // Out of the window the highlight would otherwise stay until the mouse came back.
  w.Mouse.Move(w.State, 5, 5, true);
  EXPECT_EQ(w.Mouse.Leave(w.State, true).Repaint, (Rects{Rect{0, 0, 40, 20}}));
  EXPECT_FALSE(w.Object(0).Hot);
  EXPECT_EQ(w.Object(0).AsButton()->Font.Name, "normal");

  // During a press the panel keeps the mouse: a leave changes nothing.
  w.Mouse.Move(w.State, 5, 5, true);
  w.Mouse.Down(w.State, 5, 5, true);
  EXPECT_EQ(w.Mouse.Leave(w.State, true).Repaint, Rects{});
  EXPECT_EQ(LookOf(w.Mouse.States(), w.State.Project, 0), ButtonLook::Down);
}

TEST(PanelMouse, TheKeyboardsHighlightMovesTheHotLookFromWhereTheMouseLeftIt) {
  HotWorld w;
  w.Add(ObjectKind::Label, 0, 0, 40, 20);
  w.Add(ObjectKind::Label, 0, 30, 40, 20);
  w.Mouse.Move(w.State, 5, 5, true);
  EXPECT_EQ(HotObject(w.State.Project), 0);
  EXPECT_EQ(w.Mouse.Highlight(w.State, 1).Repaint, (Rects{Rect{0, 0, 40, 20}, Rect{0, 30, 40, 50}}));
  EXPECT_EQ(HotObject(w.State.Project), 1);
  EXPECT_EQ(ShownFont(w.Object(1)), "hot");
  EXPECT_EQ(w.Mouse.Highlight(w.State, -1).Repaint, (Rects{Rect{0, 30, 40, 50}}));
  EXPECT_EQ(HotObject(w.State.Project), -1);
}

TEST(PanelMouse, ADoubleClickRunsTheLinkOnce) {
  HotWorld w;
  w.Add(ObjectKind::Label, 0, 0, 40, 20);
  w.Mouse.Down(w.State, 5, 5, true);
  EXPECT_EQ(w.Mouse.Up(w.State, 5, 5, true).ClickedTag, 0);
  // The second press of the pair still presses, but must not start the setup a second time.
  w.Mouse.Down(w.State, 5, 5, true, true);
  EXPECT_TRUE(w.Mouse.Pressing());
  EXPECT_EQ(w.Mouse.Up(w.State, 5, 5, true).ClickedTag, -1);
  // The press after that is a click again.
  w.Mouse.Down(w.State, 5, 5, true);
  EXPECT_EQ(w.Mouse.Up(w.State, 5, 5, true).ClickedTag, 0);
}

TEST(PanelMouse, AnAutoSizeImageRepaintsWhereItWasAndWhereItGrewTo) {
  HotWorld w;
  MenuObject& image = w.Add(ObjectKind::Image, 10, 10, 20, 20);
  image.AsImage()->AutoSize = true;
  image.Picture = w.Pic("normal", 20, 20);
  image.HotTrackPicture = w.Pic("hot", 60, 40);
  image.Shown = image.Picture.get();

  EXPECT_EQ(w.Mouse.Move(w.State, 15, 15, true).Repaint, (Rects{{10, 10, 30, 30}, {10, 10, 70, 50}}));
  EXPECT_EQ(image.Base().Width, 60);
  // The grown image is still under the mouse: nothing changes.
  EXPECT_EQ(w.Mouse.Move(w.State, 65, 45, true).Repaint, Rects{});
  EXPECT_EQ(w.Mouse.Move(w.State, 200, 200, true).Repaint, (Rects{{10, 10, 70, 50}, {10, 10, 30, 30}}));
  EXPECT_EQ(image.Base().Height, 20);
}

TEST(PanelMouse, TheHandShowsOverPaintedObjectsWithALinkOnly) {
  HotWorld w;
  w.Add(ObjectKind::Label, 0, 0, 50, 50).Link.Action = LinkAction::OpenUrl;
  w.Add(ObjectKind::Image, 60, 0, 50, 50);
  // A pane with a link shows its own cursor; the panel looks through it to the label below.
  w.Add(ObjectKind::Avi, 0, 0, 120, 10).Link.Action = LinkAction::OpenFile;
  EXPECT_TRUE(ShowsHandAt(w.State.Project, 5, 5));
  EXPECT_TRUE(ShowsHandAt(w.State.Project, 5, 20));
  EXPECT_FALSE(ShowsHandAt(w.State.Project, 70, 5));
  EXPECT_FALSE(ShowsHandAt(w.State.Project, 115, 5));
}

}  // namespace
}  // namespace corvela
