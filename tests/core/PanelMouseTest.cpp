#include <gtest/gtest.h>

#include "player/PanelMouse.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;
using Rects = std::vector<Rect>;

class SizedGraphic : public Graphic {
 public:
  SizedGraphic(int w, int h) : w_(w), h_(h) {}
  int Width() const override { return w_; }
  int Height() const override { return h_; }

 private:
  int w_, h_;
};

struct MouseWorld : FakeWorld {
  PanelMouse Mouse;

  MenuObject& Add(ObjectKind kind, int32_t left, int32_t top, int32_t width, int32_t height) {
    auto obj = std::make_unique<MenuObject>(kind);
    ControlBase& b = obj->Base();
    b.Left = left, b.Top = top, b.Width = width, b.Height = height;
    obj->HotTrackFont.Name = "hot";
    State.Project.Objects.push_back(std::move(obj));
    RenumberTags(State);
    return *State.Project.Objects.back();
  }
  MenuObject& Object(size_t i) { return *State.Project.Objects[i]; }
};

TEST(PanelMouse, APressKeepsItsObjectHotAndClicksOnlyWhenReleasedOverIt) {
  MouseWorld w;
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
  // Outside the panel as well.
  EXPECT_EQ(w.Mouse.Move(w.State, -5, 500, false).Repaint, Rects{});

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
  // A press on the background holds nothing.
  w.Mouse.Down(w.State, 300, 300, true);
  EXPECT_FALSE(w.Mouse.Pressing());
}

TEST(PanelMouse, LeavingThePanelDropsTheHoverLookButNotTheHotObject) {
  MouseWorld w;
  w.Add(ObjectKind::Button, 0, 0, 40, 20).AsButton()->Flat = true;
  w.Mouse.Move(w.State, 5, 5, true);
  EXPECT_EQ(w.Mouse.Leave(w.State).Repaint, (Rects{Rect{0, 0, 40, 20}}));
  EXPECT_EQ(LookOf(w.Mouse.States(), w.State.Project, 0), ButtonLook::Up);
  EXPECT_TRUE(w.Object(0).Hot);
  EXPECT_EQ(w.Object(0).AsButton()->Font.Name, "hot");

  // During a press the panel keeps the mouse: a leave changes nothing.
  w.Mouse.Down(w.State, 5, 5, true);
  EXPECT_EQ(w.Mouse.Leave(w.State).Repaint, Rects{});
  EXPECT_EQ(LookOf(w.Mouse.States(), w.State.Project, 0), ButtonLook::Down);
}

TEST(PanelMouse, AnAutoSizeImageRepaintsWhereItWasAndWhereItGrewTo) {
  MouseWorld w;
  MenuObject& image = w.Add(ObjectKind::Image, 10, 10, 20, 20);
  image.AsImage()->AutoSize = true;
  image.Picture = std::make_unique<SizedGraphic>(20, 20);
  image.HotTrackPicture = std::make_unique<SizedGraphic>(60, 40);
  image.Shown = image.Picture.get();

  EXPECT_EQ(w.Mouse.Move(w.State, 15, 15, true).Repaint, (Rects{{10, 10, 30, 30}, {10, 10, 70, 50}}));
  EXPECT_EQ(image.Base().Width, 60);
  // The grown image is still under the mouse: nothing changes.
  EXPECT_EQ(w.Mouse.Move(w.State, 65, 45, true).Repaint, Rects{});
  EXPECT_EQ(w.Mouse.Move(w.State, 200, 200, true).Repaint, (Rects{{10, 10, 70, 50}, {10, 10, 30, 30}}));
  EXPECT_EQ(image.Base().Height, 20);
}

TEST(PanelMouse, TheHandShowsOverPaintedObjectsWithALinkOnly) {
  MouseWorld w;
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
